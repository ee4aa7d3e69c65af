// The filter's commands: confirm (list the postings), include (start a posting without listing), undo and
// cancel, and what they leave on the posting form.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/romaneio_filter.h"
#include "support/consiste.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

// The page commands of the posting form's main menu, created here when the form has none yet.
MenuItem& PageMenu(TfrmLancNFEntrada& form, const char* name, const char* caption) {
    if (auto* item = form.Find<MenuItem>(name)) return *item;
    return form.mnuPrincipal.AddItem(name, caption);
}
MenuItem& MnuFolhaDados(TfrmLancNFEntrada& form) {
    return PageMenu(form, "mnuFolhaDados", "R&omaneio");
}
MenuItem& MnuFormulario(TfrmLancNFEntrada& form) {
    return PageMenu(form, "mnuFormulario", "&Nota Fiscal");
}
MenuItem& MnuVencimentos(TfrmLancNFEntrada& form) {
    return PageMenu(form, "mnuVencimentos", "&Vencimento");
}

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
void EnableRowCommands(TfrmLancNFEntrada& form, bool enable) {
    SetCommand(form.mnuAlterar, form.sbtAlterar, enable);
    SetCommand(form.mnuExcluir, form.sbtExcluir, enable);
    SetCommand(form.mnuProcurar, form.sbtProcurar, enable);
    SetCommand(form.mnuVerificar, form.sbtVerificar, enable);
}

// What a browsed list with rows allows, until the screen's full command-state matrix takes over: change and
// delete unless the row is blocked, find, verify and a new filter.
void ListCommandStates(TfrmLancNFEntrada& form) {
    const bool blocked = Cli_dfe11000().boBloqueia;
    SetCommand(form.mnuAlterar, form.sbtAlterar, !blocked);
    SetCommand(form.mnuExcluir, form.sbtExcluir, !blocked);
    SetCommand(form.mnuProcurar, form.sbtProcurar, true);
    SetCommand(form.mnuVerificar, form.sbtVerificar, true);
    SetCommand(*form.mnuFiltro, *form.sbtFiltro, true);
}

// Nothing but a new posting can be done: both pages and the page commands off, the list page marked.
void DisableForEmptyList(TfrmLancNFEntrada& form) {
    EnableRowCommands(form, false);
    form.tshFolhaDados.SetEnabled(false);
    form.tshFormulario.SetEnabled(false);
    form.tshVencimento->SetEnabled(false);
    MnuFormulario(form).SetEnabled(false);
    MnuFolhaDados(form).SetEnabled(false);
    MnuVencimentos(form).SetEnabled(false);
    MnuFolhaDados(form).SetChecked(true);
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
    MnuFolhaDados(posting_).SetEnabled(true);
    const RomaneioFilter filter = BuildFilter();
    Remember();
    posting_.GetRomaneioNF(filter, this);

    const bool empty = !posting_.cdsRomaneioNF.Active() || posting_.cdsRomaneioNF.IsEmpty();
    ShowListOnPosting(empty);
    SetCommand(posting_.mnuIncluir, posting_.sbtIncluir, true);
    posting_.boFiltroConfirmado = true;
    // Only a filter that passed every check and listed counts as confirmed.
    boConfirma = true;
    if (IsModal())
        SetModalResult(mr::Ok);
    else if (Visible())
        Close();
}

void TfrmFiltroNFEntrada::ShowListOnPosting(bool empty) {
    TfrmLancNFEntrada& form = posting_;
    form.dtsRomaneioNF->SetEnabled(true);
    form.pgcPadrao.SetActivePage(&form.tshFolhaDados);
    if (!empty) {
        ListCommandStates(form);
        form.panFilial->SetEnabled(true);
        const bool choosable = !support::zymora::ModuFili();
        form.medCdFilial->SetEnabled(choosable);
        form.btpFilial->SetEnabled(choosable);
        form.lblFilial->SetEnabled(choosable);
        FocusIfPossible(*form.dbgPadrao);
    }
    form.tshFormulario.SetEnabled(true);
    MnuFormulario(form).SetEnabled(true);
    EnableInstallments();
    if (empty) DisableForEmptyList(form);
}

void TfrmFiltroNFEntrada::EnableInstallments() {
    TfrmLancNFEntrada& form = posting_;
    const std::string treatment = RowValue(form.cdsRomaneioNF, "IDTRATAVENC");
    const bool installments = RowValue(form.cdsRomaneioNF, "IDUTILVENC") != "N" && treatment != "N";
    form.tshVencimento->SetEnabled(installments);
    form.dbgContaPagar->SetReadOnly(treatment == "M");
    MnuVencimentos(form).SetEnabled(installments);
}

void TfrmFiltroNFEntrada::sbtIncNFClick() {
    TfrmLancNFEntrada& form = posting_;
    form.dtsRomaneioNF->SetEnabled(true);
    form.Repaint();
    form.pgcPadrao.SetEnabled(true);
    form.pgcPadrao.SetActivePage(&form.tshFolhaDados);
    form.tshFormulario.SetEnabled(true);
    MnuFormulario(form).SetEnabled(true);
    EnableInstallments();
    SetCommand(form.mnuIncluir, form.sbtIncluir, true);
    DisableForEmptyList(form);
    EmptyList(form.cdsRomaneioNF);
    form.boFiltroConfirmado = true;
    form.boIncluiAposFiltro = true;
    boConfirma = true;
    if (IsModal())
        SetModalResult(mr::Ok);
    else if (Visible())
        Close();
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
