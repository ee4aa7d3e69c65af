// The list of postings a filter asks for, and the screen state that goes with it.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
void PostingList::GetRomaneioNF(const RomaneioFilter& filter, Form* busyOn) {
    RomaneioFilter call;
    const Variant answer = server_.Call(
        server_.netLancNFEntrada, RomaneioFilter::kMethod,
        [&] {
            // The server may write the by-reference arguments back: every attempt starts from the filter.
            call = filter;
            return net::ToCallArgs(call);
        },
        CallOptions{{}, support::kAviProcurando, busyOn, true, true});
    data_.cdsRomaneioNF.SetData(answer);
}

void PostingList::ShowFilteredList(const RomaneioFilter& filter, Form* busyOn) {
    form_.Repaint();
    form_.pgcPadrao.SetEnabled(true);
    ui_.mnuFolhaDados->SetEnabled(true);
    GetRomaneioNF(filter, busyOn);

    const bool empty = !data_.cdsRomaneioNF.Active() || data_.cdsRomaneioNF.IsEmpty();
    data_.dtsRomaneioNF->SetEnabled(true);
    if (!empty) {
        form_.Editing().ControlaBotoes(*data_.dtsRomaneioNF);
        ui_.panFilial->SetEnabled(true);
        const bool choosable = !support::zymora::ModuFili();
        for (Control* c : std::initializer_list<Control*>{ui_.medCdFilial, ui_.btpFilial, ui_.lblFilial})
            c->SetEnabled(choosable);
        form_.Header().ReopenTipoOperacForCurrent();
    }
    ShowListPage();
    if (!empty) FocusIfPossible(ui_.dbgPadrao);
    form_.tshFormulario.SetEnabled(true);
    ui_.mnuFormulario->SetEnabled(true);
    EnableInstallmentsForList();
    if (empty) DisableForEmptyList();
    EnableCommand(form_.mnuIncluir, form_.sbtIncluir, true);
    form_.Branch().boFiltroConfirmado = true;
}

void PostingList::PrepareIncludeFromFilter() {
    data_.dtsRomaneioNF->SetEnabled(true);
    form_.Repaint();
    form_.pgcPadrao.SetEnabled(true);
    ShowListPage();
    form_.tshFormulario.SetEnabled(true);
    ui_.mnuFormulario->SetEnabled(true);
    EnableInstallmentsForList();
    EnableCommand(form_.mnuIncluir, form_.sbtIncluir, true);
    DisableForEmptyList();
    // A list never loaded has nothing to empty until its fields are declared.
    DataSet& list = data_.cdsRomaneioNF;
    if (list.Active())
        list.EmptyDataSet();
    else if (list.FieldCount() > 0)
        list.CreateDataSet();
    form_.Branch().boFiltroConfirmado = true;
    form_.Branch().boIncluiAposFiltro = true;
}

// The list page with its page handling, as the clerk's change of page runs it.
void PostingList::ShowListPage() {
    form_.pgcPadrao.SetActivePage(&form_.tshFolhaDados);
    form_.Loader().pgcPadraoChange();
}

// The installment treatment is a parameter of the branch; the list row says whether its type uses them.
void PostingList::EnableInstallmentsForList() {
    const std::string treatment = FieldText(data_.cdsParamDFE, "IDTRATAVENC");
    const bool installments = FieldText(data_.cdsRomaneioNF, "IDUTILVENC") != "N" && treatment != "N";
    ui_.tshVencimento->SetEnabled(installments);
    ui_.dbgContaPagar->SetReadOnly(treatment == "M");
    ui_.mnuVencimentos->SetEnabled(installments);
}

void PostingList::DisableForEmptyList() {
    DisableRowCommandsAndPages();
    FocusIfPossible(&form_.pgcPadrao);
}

void PostingList::DisableRowCommandsAndPages() {
    EnableCommand(form_.mnuAlterar, form_.sbtAlterar, false);
    EnableCommand(form_.mnuExcluir, form_.sbtExcluir, false);
    EnableCommand(form_.mnuProcurar, form_.sbtProcurar, false);
    EnableCommand(form_.mnuVerificar, form_.sbtVerificar, false);
    form_.tshFolhaDados.SetEnabled(false);
    form_.tshFormulario.SetEnabled(false);
    ui_.tshVencimento->SetEnabled(false);
    ui_.mnuFormulario->SetEnabled(false);
    ui_.mnuFolhaDados->SetEnabled(false);
    ui_.mnuVencimentos->SetEnabled(false);
    ui_.mnuFolhaDados->SetChecked(true);
}

} // namespace dfe::dfe11000
