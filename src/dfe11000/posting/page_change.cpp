// Switching between the list, the record page and the installments page: leaving a page runs the exit
// rules of the focused control; showing the list empties the posting, showing another page loads it.
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"
#include "platform/core/abort.h"
#include "platform/ui/ui_error.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"

namespace dfe::dfe11000 {
namespace {

constexpr const char* kNewPosting = "NOVOCODIGO";

bool IsDataEdit(const Control* c) {
    return dynamic_cast<const DBEdit*>(c) || dynamic_cast<const DBDateEdit*>(c) ||
           dynamic_cast<const DBRichEdit*>(c) || dynamic_cast<const DBMemo*>(c);
}

void SetColumnVisible(DBGrid& grid, int column, bool visible) {
    if (column < grid.ColumnCount()) grid.Column(column).SetVisible(visible);
}

// Shows an error of a leaving rule and tells whether the rule let the clerk go.
bool RunLeavingRule(const std::function<void()>& rule) {
    try {
        rule();
        return true;
    } catch (const Abort&) {
        return false;
    } catch (const ScriptFailure&) {
        throw;
    } catch (const std::exception& e) {
        support::CurrentDialogs().ShowError(ErrorRequest{e.what(), {}, {}});
        return false;
    }
}

} // namespace

void TfrmLancNFEntrada::pgcPadraoChanging(bool& allowChange) {
    if (!InEdit(cdsNotaFiscal)) return;
    Control* focused = ActiveControl();
    if (!focused) return;
    const TabSheet* page = pgcPadrao.ActivePage();
    if (page == &tshFormulario) {
        if (IsDataEdit(focused) &&
            (grbFornecedor->ContainsControl(*focused) || grbDestReme->ContainsControl(*focused)))
            allowChange = RunLeavingRule([focused] { focused->DoExit(); });
        else if (focused->IsGrid())
            allowChange = RunLeavingRule([this] { Vd_VerifProdEst(); });
    } else if (page == tshVencimento && focused->IsGrid()) {
        allowChange = RunLeavingRule([focused] { focused->DoExit(); });
    }
}

void TfrmLancNFEntrada::mnuFolhaDadosClick() {
    pgcPadrao.SetActivePage(&tshFolhaDados);
    pgcPadraoChange();
}

void TfrmLancNFEntrada::mnuFormularioClick() {
    if (InEdit(cdsNotaFiscal)) {
        if (Control* focused = ActiveControl(); focused && focused->IsGrid()) focused->DoExit();
    }
    pgcPadrao.SetActivePage(&tshFormulario);
    pgcPadraoChange();
}

void TfrmLancNFEntrada::ParticipantCaption() {
    if (nbkDestino->PageIndex() == 0)
        grbFornecedor->SetCaption("Cliente");
    else
        grbFornecedor->SetCaption(TipoOperElem(23) == "S" ? "Exportador" : "Fornecedor");
}

void TfrmLancNFEntrada::LockByRow() {
    if (cdsNotaFiscal.State() == DataSetState::Insert) {
        BloqueiaNF(false);
    } else {
        BloqueiaNF(FieldText(cdsRomaneioNF, "IDBLOQUEADO") == "S" || Cli_dfe11000().boBloqueia ||
                   FieldText(cdsRomaneioNF, "IDNFDEVOOL") == "S" ||
                   !FieldText(cdsRomaneioNF, "IDDOCREPLIC").empty() ||
                   !FieldText(cdsRomaneioNF, "DSNOTAFISORIGOL").empty());
    }
    if (FieldText(cdsParamDFE, "IDTRATAVENC") == "M" && FieldText(cdsParamDFE, "IDLANCENTRVENC") == "S")
        dbgContaPagar->SetReadOnly(true);
}

void TfrmLancNFEntrada::CloseLoadedPosting() {
    for (DataSet* ds : {&cdsItemNotaFisc, &cdsItemProduto, &cdsItemEncargo, &cdsDadosAdic, &cdsContaPagar,
                        &cdsImposNFTot, &cdsTrabImposNFTot, &cdsTrabItProImpos, &cdsNFRelacAF})
        ds->Close();
}

void TfrmLancNFEntrada::pgcPadraoChange() {
    ModuleState& state = Cli_dfe11000();
    const TabSheet* page = pgcPadrao.ActivePage();
    const bool listPage = page == &tshFolhaDados;
    ParticipantCaption();
    LockByRow();
    dbnPadrao.SetVisible(listPage);
    if (page == &tshFormulario && InEdit(cdsNotaFiscal)) Vd_ModDocFisc(false);

    const std::string number = FieldText(cdsRomaneioNF, "NRLANCTONF");
    bool loaded = false;
    if (listPage) {
        if (!FiltroAtivo() && dbgPadrao->CanFocus()) dbgPadrao->SetFocus();
        CloseLoadedPosting();
    } else if (number.empty() || number == kNewPosting) {
        // A posting not yet numbered has nothing on the server to load but its installments.
        if (number.empty() && !InEdit(cdsNotaFiscal) && page == tshVencimento) {
            struct VencScope {
                bool& flag;
                ~VencScope() { flag = false; }
            } venc{state.boVenc};
            state.boVenc = true;
            GetContaPagar();
        }
    } else if (!InEdit(cdsNotaFiscal)) {
        GetNFDadosGerais();
        loaded = true;
    }
    if (!listPage && cdsNotaFiscal.Active()) ShowLoadedPosting(loaded);
    AtualizaMenus();
    LockAfterLoad();
    ShowRowDocumentModel();
    if (ActiveControl() && !FiltroAtivo()) {
        const bool find =
            listPage && !InEdit(cdsNotaFiscal) && cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty();
        mnuProcurar.SetEnabled(find);
        sbtProcurar.SetEnabled(find);
        mnuVerificar.SetEnabled(find);
        sbtVerificar.SetEnabled(find);
    }
    dbeCodiCFOp->SetEnabled(false);
    dbeDescCFOp->SetEnabled(!(FieldText(cdsParamDFE, "IDBLOQCFOPNF") == "S" && TipoOperElem(11) != "S"));
    if (boRelacAF && !listPage && cdsNotaFiscal.Active() && SupplierNotHomologated()) {
        GetNFRelacAF();
        dbgItemProduto->SetEnabled(cdsNFRelacAF.IsEmpty());
    }
    if (!state.stIDTPIJURFORN.empty() && !state.stNRINSJURFORN.empty()) {
        if (Field* number2 = cdsNotaFiscal.Active() ? cdsNotaFiscal.FindField("NRINSJURNF") : nullptr)
            number2->SetEditMask(support::PictPess(state.stIDTPIJURFORN));
    }
}

bool TfrmLancNFEntrada::SupplierNotHomologated() const {
    for (const DataSet* ds :
         {static_cast<const DataSet*>(&cdsParamForne), static_cast<const DataSet*>(&qryFornecedor)}) {
        if (ds->Active() && ds->FindField("IDFORNEHOMO")) return FieldText(*ds, "IDFORNEHOMO") == "N";
    }
    return false;
}

void TfrmLancNFEntrada::ShowLoadedPosting(bool loaded) {
    ModuleState& state = Cli_dfe11000();
    state.stIdNFImpAF = FieldText(cdsNotaFiscal, "IDNOTAIMPAF");
    state.stIDTPIJURFORN = FieldText(cdsNotaFiscal, "IDTPIJURNF");
    state.stNRINSJURFORN = FieldText(cdsNotaFiscal, "NRINSJURNF");
    ShowKeyNotebook();
    const bool reversal = TipoOperElem(8) == "S";
    dbgItemsNFForn->SetReadOnly(reversal);
    const int rowSelect = grid_option::RowSelect;
    dbgItemsNFForn->SetOptions(reversal ? (dbgItemsNFForn->Options() | rowSelect)
                                        : (dbgItemsNFForn->Options() & ~rowSelect));
    // Rebuilt only from what the server just sent: while a posting is edited they hold the clerk's changes.
    if (loaded) AtualizaTabTrab();
    ShowParticipantLookup();
    state.boAlteraNF = true;
    if (cdsNotaFiscal.State() == DataSetState::Insert) return;
    ShowLoadedColumns();
    ReopenInscrEstad();
    const bool bonus = TipoOperElem(20) != "N";
    SetColumnVisible(*dbgItemProduto, 11, bonus);
    SetColumnVisible(*dbgItemsNFForn, 10, bonus);
    ShowCarrier();
}

void TfrmLancNFEntrada::ShowKeyNotebook() {
    auto* keys = Find<Notebook>("ntbChave");
    const bool service = TipoOperElem(7) == "S";
    if (keys && keys->Pages().size() > 1) keys->SetPageIndex(service ? 1 : 0);
    if (!service) return;
    if (FieldText(cdsParamGeral, "IDUTRELPRODSERV") == "S") {
        if (!cdsListServProd.Active() || cdsListServProd.IsEmpty()) GetListServProd();
    } else {
        for (const char* name : {"lblCdServico", "dbeCdServico", "btpCodServico"}) {
            if (auto* c = Find<Control>(name)) c->SetVisible(true);
        }
    }
}

void TfrmLancNFEntrada::ShowParticipantLookup() {
    const std::string participant = FieldText(cdsNotaFiscal, "IDORIGDESTNF");
    const std::string number = FieldText(cdsNotaFiscal, "NRINSJURNF");
    if (participant == "L") {
        nbkDestino->SetPageIndex(2);
        const std::string branch = FieldText(cdsNotaFiscal, "CDFILIEMIT");
        if (FieldText(qryFiliEmit, "CDFILIAL") == branch && qryFiliEmit.Active()) return;
        qryFiliEmit.Close();
        qryFiliEmit.ParamByName("P_CDFILIAL") = Variant(branch);
        qryFiliEmit.Open();
    } else if (participant == "C") {
        nbkDestino->SetPageIndex(0);
        if (qryCliente.Active() &&
            FieldText(qryCliente, "CDCLIENTE") == FieldText(cdsNotaFiscal, "CDCLIENTE"))
            return;
        qryCliente.Close();
        qryCliente.ParamByName("P_TODOS") = Variant("N");
        qryCliente.ParamByName("P_NRINSJURCLIE") = Variant(number);
        qryCliente.Open();
    } else {
        nbkDestino->SetPageIndex(1);
        if (qryFornecedor.Active() &&
            FieldText(qryFornecedor, "CDFORNECED") == FieldText(cdsNotaFiscal, "CDFORNECED"))
            return;
        qryFornecedor.Close();
        if (qryFornecedor.HasParam("P_IDTPIJURFORN"))
            qryFornecedor.ParamByName("P_IDTPIJURFORN") = Variant(FieldText(cdsNotaFiscal, "IDTPIJURNF"));
        qryFornecedor.ParamByName("P_NRINSJURFORN") = Variant(number);
        qryFornecedor.Open();
    }
    ParticipantCaption();
}

void TfrmLancNFEntrada::ShowCarrier() {
    qryPesqTransp.Close();
    qryPesqTransp.ParamByName("P_NRINSJURTRAN") = Variant(FieldText(cdsNotaFiscal, "NRINSJURTRAN"));
    qryPesqTransp.ParamByName("P_TODOS") = Variant("");
    qryPesqTransp.Open();
    const std::pair<const char*, const char*> edits[] = {
        {"dbeNrInsJurTran", "NRINSJURTRAN"}, {"edtNmRazSocTrans", "NMRAZSOCTRAN"},
        {"dbeEndeTrans", "DSENDETRAN"},      {"dbeMuniTrans", "NMMUNICIPIO"},
        {"dbeUFTrans", "SGESTADO"},          {"dbeInscEstaTrans", "NRINSESTTRAN"}};
    for (const auto& [control, field] : edits) {
        auto* edit = Find<Edit>(control);
        // A bound edit shows its own field; only the free ones take the carrier's data.
        if (edit && !dynamic_cast<DBEdit*>(edit)) edit->SetText(FieldText(qryPesqTransp, field));
    }
}

void TfrmLancNFEntrada::LockAfterLoad() {
    ModuleState& state = Cli_dfe11000();
    const bool equalToXml = FieldText(cdsParamDFE, "IDGERNFIGUALXML") == "S";
    const bool rowFromXml = FieldText(cdsRomaneioNF, "IDNFGERADAVIAXML") == "S";
    const DataSetState header = cdsNotaFiscal.State();
    if (header == DataSetState::Insert) {
        if (!(state.boNFImpNFe || rowFromXml)) BloqueiaNF(false);
        if (!equalToXml) BloqueiaNF(false);
    } else {
        LockByRow();
    }
    if (header == DataSetState::Browse && rowFromXml && equalToXml) BloqueiaNF(true);
    if (InEdit(cdsNotaFiscal))
        BloqueiaNF(FieldText(cdsNotaFiscal, "IDNFGERADAVIAXML") == "S" && equalToXml && state.boNFImpNFe);
    if (FieldText(cdsParamDFE, "IDTRATAVENC") == "M" && FieldText(cdsParamDFE, "IDLANCENTRVENC") == "S")
        dbgContaPagar->SetReadOnly(true);
}

void TfrmLancNFEntrada::ShowRowDocumentModel() {
    if (cdsNotaFiscal.State() != DataSetState::Browse) return;
    const std::string model = FieldText(cdsNotaFiscal, "CDMODDOCFISC");
    nbkCte->SetPageIndex(model == "66" ? 1 : 0);
    grbNatFreteCTe->SetVisible(
        OneOf(model, {"07", "08", "8B", "09", "10", "11", "26", "27", "57", "63", "67"}));
}

} // namespace dfe::dfe11000
