// Switching between the list, the record page and the installments page: leaving a page runs the exit
// rules of the focused control; showing the list empties the posting, showing another page loads it.
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_loader.h"
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

void PostingLoader::pgcPadraoChanging(bool& allowChange) {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    Control* focused = form_.ActiveControl();
    if (!focused) return;
    const TabSheet* page = form_.pgcPadrao.ActivePage();
    if (page == &form_.tshFormulario) {
        if (IsDataEdit(focused) &&
            (ui_.grbFornecedor->ContainsControl(*focused) || ui_.grbDestReme->ContainsControl(*focused)))
            allowChange = RunLeavingRule([focused] { focused->DoExit(); });
        else if (focused->IsGrid())
            allowChange = RunLeavingRule([this] { form_.Items().Vd_VerifProdEst(); });
    } else if (page == ui_.tshVencimento && focused->IsGrid()) {
        allowChange = RunLeavingRule([focused] { focused->DoExit(); });
    }
}

void PostingLoader::mnuFolhaDadosClick() {
    form_.pgcPadrao.SetActivePage(&form_.tshFolhaDados);
    pgcPadraoChange();
}

void PostingLoader::mnuFormularioClick() {
    if (InEdit(data_.cdsNotaFiscal)) {
        if (Control* focused = form_.ActiveControl(); focused && focused->IsGrid()) focused->DoExit();
    }
    form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
    pgcPadraoChange();
}

void PostingLoader::ParticipantCaption() {
    if (ui_.nbkDestino->PageIndex() == 0)
        ui_.grbFornecedor->SetCaption("Cliente");
    else
        ui_.grbFornecedor->SetCaption(form_.Header().TipoOper().IDNFIMPORTACAOIND == "S" ? "Exportador"
                                                                                         : "Fornecedor");
}

void PostingLoader::LockByRow() {
    if (data_.cdsNotaFiscal.State() == DataSetState::Insert) {
        BloqueiaNF(false);
    } else {
        BloqueiaNF(FieldText(data_.cdsRomaneioNF, "IDBLOQUEADO") == "S" || Cli_dfe11000().boBloqueia ||
                   FieldText(data_.cdsRomaneioNF, "IDNFDEVOOL") == "S" ||
                   !FieldText(data_.cdsRomaneioNF, "IDDOCREPLIC").empty() ||
                   !FieldText(data_.cdsRomaneioNF, "DSNOTAFISORIGOL").empty());
    }
    if (FieldText(data_.cdsParamDFE, "IDTRATAVENC") == "M" &&
        FieldText(data_.cdsParamDFE, "IDLANCENTRVENC") == "S")
        ui_.dbgContaPagar->SetReadOnly(true);
}

void PostingLoader::CloseLoadedPosting() {
    for (DataSet* ds : {&data_.cdsItemNotaFisc, &data_.cdsItemProduto, &data_.cdsItemEncargo,
                        &data_.cdsDadosAdic, &data_.cdsContaPagar, &data_.cdsImposNFTot,
                        &data_.cdsTrabImposNFTot, &data_.cdsTrabItProImpos, &data_.cdsNFRelacAF})
        ds->Close();
}

void PostingLoader::ShowRecordPage() {
    if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario) return;
    form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
    pgcPadraoChange();
}

void PostingLoader::pgcPadraoChange() {
    ModuleState& state = Cli_dfe11000();
    const TabSheet* page = form_.pgcPadrao.ActivePage();
    const bool listPage = page == &form_.tshFolhaDados;
    ParticipantCaption();
    LockByRow();
    form_.dbnPadrao.SetVisible(listPage);
    if (page == &form_.tshFormulario && InEdit(data_.cdsNotaFiscal)) form_.Document().Vd_ModDocFisc(false);

    const std::string number = FieldText(data_.cdsRomaneioNF, "NRLANCTONF");
    bool loaded = false;
    if (listPage) {
        if (!form_.Branch().FiltroAtivo() && ui_.dbgPadrao->CanFocus()) ui_.dbgPadrao->SetFocus();
        CloseLoadedPosting();
    } else if (number.empty() || number == kNewPosting) {
        // A posting not yet numbered has nothing on the server to load but its installments.
        if (number.empty() && !InEdit(data_.cdsNotaFiscal) && page == ui_.tshVencimento) {
            struct VencScope {
                bool& flag;
                ~VencScope() { flag = false; }
            } venc{state.boVenc};
            state.boVenc = true;
            GetContaPagar();
        }
    } else if (!InEdit(data_.cdsNotaFiscal)) {
        GetNFDadosGerais();
        loaded = true;
    }
    if (!listPage && data_.cdsNotaFiscal.Active()) ShowLoadedPosting(loaded);
    form_.Editing().AtualizaMenus();
    LockAfterLoad();
    ShowRowDocumentModel();
    if (form_.ActiveControl() && !form_.Branch().FiltroAtivo()) {
        const bool find = listPage && !InEdit(data_.cdsNotaFiscal) && data_.cdsRomaneioNF.Active() &&
                          !data_.cdsRomaneioNF.IsEmpty();
        form_.mnuProcurar.SetEnabled(find);
        form_.sbtProcurar.SetEnabled(find);
        form_.mnuVerificar.SetEnabled(find);
        form_.sbtVerificar.SetEnabled(find);
    }
    ui_.dbeCodiCFOp->SetEnabled(false);
    ui_.dbeDescCFOp->SetEnabled(!(FieldText(data_.cdsParamDFE, "IDBLOQCFOPNF") == "S" &&
                                  form_.Header().TipoOper().IDOBINFCSTCFOPEN != "S"));
    if (form_.Editing().RelacAF() && !listPage && data_.cdsNotaFiscal.Active() && SupplierNotHomologated()) {
        GetNFRelacAF();
        ui_.dbgItemProduto->SetEnabled(data_.cdsNFRelacAF.IsEmpty());
    }
    if (!state.stIDTPIJURFORN.empty() && !state.stNRINSJURFORN.empty()) {
        if (Field* number2 =
                data_.cdsNotaFiscal.Active() ? data_.cdsNotaFiscal.FindField("NRINSJURNF") : nullptr)
            number2->SetEditMask(support::PictPess(state.stIDTPIJURFORN));
    }
}

bool PostingLoader::SupplierNotHomologated() const {
    for (const DataSet* ds : {static_cast<const DataSet*>(&data_.cdsParamForne),
                              static_cast<const DataSet*>(&lookups_.qryFornecedor)}) {
        if (ds->Active() && ds->FindField("IDFORNEHOMO")) return FieldText(*ds, "IDFORNEHOMO") == "N";
    }
    return false;
}

void PostingLoader::ShowLoadedPosting(bool loaded) {
    ModuleState& state = Cli_dfe11000();
    state.stIdNFImpAF = FieldText(data_.cdsNotaFiscal, "IDNOTAIMPAF");
    state.stIDTPIJURFORN = FieldText(data_.cdsNotaFiscal, "IDTPIJURNF");
    state.stNRINSJURFORN = FieldText(data_.cdsNotaFiscal, "NRINSJURNF");
    ShowKeyNotebook();
    const bool reversal = form_.Header().TipoOper().IDNFESTCANC == "S";
    ui_.dbgItemsNFForn->SetReadOnly(reversal);
    const int rowSelect = grid_option::RowSelect;
    ui_.dbgItemsNFForn->SetOptions(reversal ? (ui_.dbgItemsNFForn->Options() | rowSelect)
                                            : (ui_.dbgItemsNFForn->Options() & ~rowSelect));
    // Rebuilt only from what the server just sent: while a posting is edited they hold the clerk's changes.
    if (loaded) AtualizaTabTrab();
    ShowParticipantLookup();
    state.boAlteraNF = true;
    if (data_.cdsNotaFiscal.State() == DataSetState::Insert) return;
    ShowLoadedColumns();
    form_.Header().ReopenInscrEstad();
    const bool bonus = form_.Header().TipoOper().CDTIPOOPERBONIF != "N";
    SetColumnVisible(*ui_.dbgItemProduto, 11, bonus);
    SetColumnVisible(*ui_.dbgItemsNFForn, 10, bonus);
    form_.Transport().ShowCarrier();
}

void PostingLoader::ShowKeyNotebook() {
    const bool service = form_.Header().TipoOper().IDNFPRESTSERV == "S";
    ui_.ntbChave->SetPageIndex(service ? 1 : 0);
    if (!service) return;
    if (FieldText(data_.cdsParamGeral, "IDUTRELPRODSERV") == "S") {
        if (!data_.cdsListServProd.Active() || data_.cdsListServProd.IsEmpty()) GetListServProd();
    } else {
        for (Control* c :
             std::initializer_list<Control*>{ui_.lblCdServico, ui_.dbeCdServico, ui_.btpCodServico})
            c->SetVisible(true);
    }
}

void PostingLoader::ShowParticipantLookup() {
    const std::string participant = FieldText(data_.cdsNotaFiscal, "IDORIGDESTNF");
    const std::string number = FieldText(data_.cdsNotaFiscal, "NRINSJURNF");
    if (participant == "L") {
        ui_.nbkDestino->SetPageIndex(2);
        const std::string branch = FieldText(data_.cdsNotaFiscal, "CDFILIEMIT");
        if (FieldText(lookups_.qryFiliEmit, "CDFILIAL") == branch && lookups_.qryFiliEmit.Active()) return;
        lookups_.qryFiliEmit.Close();
        lookups_.qryFiliEmit.ParamByName("P_CDFILIAL") = Variant(branch);
        lookups_.qryFiliEmit.Open();
    } else if (participant == "C") {
        ui_.nbkDestino->SetPageIndex(0);
        if (lookups_.qryCliente.Active() &&
            FieldText(lookups_.qryCliente, "CDCLIENTE") == FieldText(data_.cdsNotaFiscal, "CDCLIENTE"))
            return;
        lookups_.qryCliente.Close();
        lookups_.qryCliente.ParamByName("P_TODOS") = Variant("N");
        lookups_.qryCliente.ParamByName("P_NRINSJURCLIE") = Variant(number);
        lookups_.qryCliente.Open();
    } else {
        ui_.nbkDestino->SetPageIndex(1);
        if (lookups_.qryFornecedor.Active() &&
            FieldText(lookups_.qryFornecedor, "CDFORNECED") == FieldText(data_.cdsNotaFiscal, "CDFORNECED"))
            return;
        lookups_.qryFornecedor.Close();
        if (lookups_.qryFornecedor.HasParam("P_IDTPIJURFORN"))
            lookups_.qryFornecedor.ParamByName("P_IDTPIJURFORN") =
                Variant(FieldText(data_.cdsNotaFiscal, "IDTPIJURNF"));
        lookups_.qryFornecedor.ParamByName("P_NRINSJURFORN") = Variant(number);
        lookups_.qryFornecedor.Open();
    }
    ParticipantCaption();
}

void PostingLoader::LockAfterLoad() {
    ModuleState& state = Cli_dfe11000();
    const bool equalToXml = FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S";
    const bool rowFromXml = FieldText(data_.cdsRomaneioNF, "IDNFGERADAVIAXML") == "S";
    const DataSetState header = data_.cdsNotaFiscal.State();
    if (header == DataSetState::Insert) {
        if (!(state.boNFImpNFe || rowFromXml)) BloqueiaNF(false);
        if (!equalToXml) BloqueiaNF(false);
    } else {
        LockByRow();
    }
    if (header == DataSetState::Browse && rowFromXml && equalToXml) BloqueiaNF(true);
    // While browsing the locks above hold: unblocking here would open a blocked posting to typing.
    if (InEdit(data_.cdsNotaFiscal))
        BloqueiaNF(FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S" && equalToXml &&
                   state.boNFImpNFe);
    if (FieldText(data_.cdsParamDFE, "IDTRATAVENC") == "M" &&
        FieldText(data_.cdsParamDFE, "IDLANCENTRVENC") == "S")
        ui_.dbgContaPagar->SetReadOnly(true);
}

void PostingLoader::ShowRowDocumentModel() {
    if (data_.cdsNotaFiscal.State() != DataSetState::Browse) return;
    form_.Document().ShowModelPages(FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC"));
}

} // namespace dfe::dfe11000
