// The filter's commands: confirm (list the postings), include (start a posting without listing), undo and
// cancel, and what they leave on the posting form.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/romaneio_filter.h"
#include "support/consiste.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

std::string RowValue(const DataSet& list, const char* field) {
    const Field* f = list.Active() && !list.IsEmpty() ? list.FindField(field) : nullptr;
    return f ? f->AsString() : std::string();
}

void FocusIfPossible(Control& control) {
    if (control.CanFocus()) control.SetFocus();
}

void SetCommand(MenuItem& item, SpeedButton& button, bool enable) {
    item.SetEnabled(enable);
    button.SetEnabled(item.Enabled());
}

// Change, delete, find and verify with their menu items.
void DisableRowCommands(TfrmLancNFEntrada& form) {
    SetCommand(form.mnuAlterar, form.sbtAlterar, false);
    SetCommand(form.mnuExcluir, form.sbtExcluir, false);
    SetCommand(form.mnuProcurar, form.sbtProcurar, false);
    SetCommand(form.mnuVerificar, form.sbtVerificar, false);
}

// The list page with its page handling, as the clerk's change of page runs it.
void ShowListPage(TfrmLancNFEntrada& form) {
    form.pgcPadrao.SetActivePage(&form.tshFolhaDados);
    form.pgcPadraoChange();
}

// Nothing but a new posting can be done: both pages and the page commands off, the list page marked.
void DisableForEmptyList(TfrmLancNFEntrada& form) {
    DisableRowCommands(form);
    form.tshFolhaDados.SetEnabled(false);
    form.tshFormulario.SetEnabled(false);
    form.tshVencimento->SetEnabled(false);
    form.mnuFormulario->SetEnabled(false);
    form.mnuFolhaDados->SetEnabled(false);
    form.mnuVencimentos->SetEnabled(false);
    form.mnuFolhaDados->SetChecked(true);
    FocusIfPossible(form.pgcPadrao);
}

// A list never loaded has nothing to empty until its fields are declared.
void EmptyList(DataSet& list) {
    if (list.Active())
        list.EmptyDataSet();
    else if (list.FieldCount() > 0)
        list.CreateDataSet();
}

} // namespace

RomaneioFilter TfrmFiltroNFEntrada::BuildFilter() const {
    RomaneioFilter f;
    f.branch = posting_.medCdFilial->Text();
    switch (cbbDestRem->ItemIndex()) {
    case kFiltroCliente:
        f.participantKind = "C";
        f.participant = support::Ajusta_Inscricao(medCliente->Text());
        // The code belongs to the number it was found for; an empty number forgets it.
        if (!f.participant.empty() && cdClienteNumber_ == f.participant) f.customer = cdCliente_;
        break;
    case kFiltroFornecedor:
        f.participantKind = "F";
        f.participant = support::Ajusta_Inscricao(medFornecedor->Text());
        break;
    case kFiltroFilial:
        f.participantKind = "L";
        f.issuingBranch = medFilial->Text();
        break;
    default:
        break;
    }
    f.series = rdgLista->Checked() ? posting_.stListaSerie : std::string("T");
    f.operationTypes = rdgListaTipoOper->Checked() ? posting_.stListaTipoOper : std::string();
    f.entryFrom = depEntrIni->Date();
    f.entryTo = depEntrFim->Date();
    f.issueFrom = depEmisIni->Date();
    f.issueTo = depEmisFim->Date();
    f.allDates = depEmisIni->IsBlank() ? "T" : "";
    return f;
}

void TfrmFiltroNFEntrada::Remember() {
    Remembered r;
    r.kind = cbbDestRem->ItemIndex() < 0 ? kFiltroTodos : cbbDestRem->ItemIndex();
    if (r.kind == kFiltroCliente) {
        r.participant = medCliente->Text();
        r.participantName = edtNmCliente->Text();
        r.cdCliente = BuildFilter().customer;
    } else if (r.kind == kFiltroFornecedor) {
        r.participant = medFornecedor->Text();
        r.participantName = edtNmFornecedor->Text();
    } else if (r.kind == kFiltroFilial) {
        r.participant = medFilial->Text();
        r.participantName = edtNmFilial->Text();
    }
    r.emisIni = depEmisIni->Date();
    r.emisFim = depEmisFim->Date();
    r.entrIni = depEntrIni->Date();
    r.entrFim = depEntrFim->Date();
    r.series = posting_.stListaSerie;
    r.tiposOper = posting_.stListaTipoOper;
    r.todasSeries = rdgTodos->Checked();
    r.todosTiposOper = rdgTodosTipoOper->Checked();
    remembered_ = std::move(r);
}

void TfrmFiltroNFEntrada::sbtConfirmaClick() {
    switch (cbbDestRem->ItemIndex()) {
    case kFiltroCliente:
        Vd_Cliente();
        break;
    case kFiltroFornecedor:
        Vd_Fornecedor();
        break;
    case kFiltroFilial:
        Vd_Filial();
        break;
    default:
        break;
    }
    posting_.Vd_Datas(*depEmisIni, *depEmisFim);
    posting_.Vd_Datas(*depEntrIni, *depEntrFim);
    if (rdgLista->Checked() && posting_.stListaSerie.empty()) Refuse(*rdgLista, "Serie_inf");
    if (rdgListaTipoOper->Checked() && posting_.stListaTipoOper.empty())
        Refuse(*rdgListaTipoOper, "TipoOper_inf");

    posting_.Repaint();
    posting_.pgcPadrao.SetEnabled(true);
    posting_.mnuFolhaDados->SetEnabled(true);
    const RomaneioFilter filter = BuildFilter();
    Remember();
    posting_.GetRomaneioNF(filter, this);

    const bool empty = !posting_.cdsRomaneioNF.Active() || posting_.cdsRomaneioNF.IsEmpty();
    ShowListOnPosting(empty);
    SetCommand(posting_.mnuIncluir, posting_.sbtIncluir, true);
    posting_.boFiltroConfirmado = true;
    // Only a filter that passed every check and listed counts as confirmed.
    EndConfirmed();
}

void TfrmFiltroNFEntrada::EndConfirmed() {
    boConfirma = true;
    if (IsModal())
        SetModalResult(mr::Ok);
    else if (Visible())
        Close();
}

void TfrmFiltroNFEntrada::ShowListOnPosting(bool empty) {
    TfrmLancNFEntrada& form = posting_;
    form.dtsRomaneioNF->SetEnabled(true);
    if (empty) {
        ShowListPage(form);
    } else {
        form.ControlaBotoes(*form.dtsRomaneioNF);
        form.panFilial->SetEnabled(true);
        const bool choosable = !support::zymora::ModuFili();
        form.medCdFilial->SetEnabled(choosable);
        form.btpFilial->SetEnabled(choosable);
        form.lblFilial->SetEnabled(choosable);
        ShowListPage(form);
        FocusIfPossible(*form.dbgPadrao);
    }
    form.tshFormulario.SetEnabled(true);
    form.mnuFormulario->SetEnabled(true);
    EnableInstallments();
    if (empty) DisableForEmptyList(form);
}

void TfrmFiltroNFEntrada::EnableInstallments() {
    TfrmLancNFEntrada& form = posting_;
    const std::string treatment = RowValue(form.cdsRomaneioNF, "IDTRATAVENC");
    const bool installments = RowValue(form.cdsRomaneioNF, "IDUTILVENC") != "N" && treatment != "N";
    form.tshVencimento->SetEnabled(installments);
    form.dbgContaPagar->SetReadOnly(treatment == "M");
    form.mnuVencimentos->SetEnabled(installments);
}

void TfrmFiltroNFEntrada::sbtIncNFClick() {
    TfrmLancNFEntrada& form = posting_;
    form.dtsRomaneioNF->SetEnabled(true);
    form.Repaint();
    form.pgcPadrao.SetEnabled(true);
    ShowListPage(form);
    form.tshFormulario.SetEnabled(true);
    form.mnuFormulario->SetEnabled(true);
    EnableInstallments();
    SetCommand(form.mnuIncluir, form.sbtIncluir, true);
    DisableForEmptyList(form);
    EmptyList(form.cdsRomaneioNF);
    form.boFiltroConfirmado = true;
    form.boIncluiAposFiltro = true;
    EndConfirmed();
}

void TfrmFiltroNFEntrada::sbtDesfazerClick() {
    medCliente->SetText("");
    if (cbbDestRem->CanFocus()) cbbDestRem->SetFocus();
    rdgTodos->SetChecked(true);
    rdgTodosTipoOper->SetChecked(true);
    btpSerie->SetEnabled(false);
    btpTipoOper->SetEnabled(false);
    posting_.stListaSerie.clear();
    posting_.stListaTipoOper.clear();
    Atualiza_Datas();
    cbbDestRem->SetItemIndex(kFiltroTodos);
    nbkCliente->SetPageIndex(kFiltroTodos);
}

void TfrmFiltroNFEntrada::sbtCancelClick() {
    Close();
}

} // namespace dfe::dfe11000
