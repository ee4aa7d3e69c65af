// The four editing commands of a posting: include, change, confirm and cancel.
#include "dfe11000/closing/closing_rules.h"
#include "dfe11000/closing/error_list.h"
#include "dfe11000/closing/release_rules.h"
#include "dfe11000/header/access_key_rules.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/inventory_check.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/inscricao_vigencia.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void PostingEditor::ClearServiceLocationMemory() {
    stEstadoAnt.clear();
    stMunicipioAnt.clear();
}

void PostingEditor::ResetPostingTexts() {
    ModuleState& st = Cli_dfe11000();
    form_.Parameters().SetSupplierString({});
    st.stShowInfoNFE = "N";
    st.stSugAlmox = "N";
    st.stSugAlmoEstPr = "N";
    st.stErroFech = "N";
    st.stLimitForn = "S";
    st.stVerifVrNF = "N";
    ClearLotMemory(st);
    st.stLista.clear();
    st.boBloqueia = false;
    st.boNFImpNFe = false;
    st.stIdNFImpAF = "N";
    st.stIDTPIJURFORN.clear();
    st.stNRINSJURFORN.clear();
    boRelacAF = true;
    ui_.sbtReplicDoc->SetDown(false);
    ui_.mnuReplicDoc->SetChecked(false);
    stErroNFE = "N";
    ClearServiceLocationMemory();
    SetPrestServ({}, {});
}

void PostingEditor::Include() {
    ModuleState& st = Cli_dfe11000();
    form_.pgcPadrao.SetActivePage(&form_.tshFolhaDados);
    ResetPostingTexts();
    form_.AccessKey().boChaveManual = false;
    form_.Header().ForgetOperationType();
    form_.Header().Vd_FiliInat();

    form_.tshFormulario.SetEnabled(true);
    ui_.mnuFormulario->SetEnabled(true);
    st.boInsert = true;
    EnableBranchEditors(false);
    // The record page stays hidden while it is rebuilt, also when a step fails.
    ui_.scbFormulario->SetVisible(false);
    const ShowOnExit reveal(*ui_.scbFormulario);

    RecreateEmpty(data_.cdsNotaFiscal);
    data_.cdsNotaFiscal.Insert();

    lookups_.qryCliente.Close();
    lookups_.qryFornecedor.Close();
    lookups_.qryInscrEstad.Close();
    ui_.nbkDestino->SetPageIndex(1);
    ui_.grbFornecedor->SetCaption(form_.Header().TipoOper().IDNFIMPORTACAOIND == "S" ? "Exportador"
                                                                                     : "Fornecedor");

    for (DataSet* ds :
         {&data_.cdsItemProduto, &data_.cdsItemEncargo, &data_.cdsItemNotaFisc, &data_.cdsContaPagar,
          &data_.cdsDadosAdic, &data_.cdsTrabImposNFTot, &data_.cdsTrabItProImpos, &data_.cdsNFRelacAF})
        RecreateEmpty(*ds);

    InsertListRow();

    form_.Layout().AjustaPanels(0);
    // The company edit can only take the focus once the record page shows again.
    ui_.scbFormulario->SetVisible(true);
    ui_.scbFormulario->SetVertScrollPosition(0);
    auto seriesExit = ui_.dbeSerie->OnExit;
    ui_.dbeSerie->OnExit = nullptr;
    if (ui_.dbeCdEmpresa->CanFocus()) ui_.dbeCdEmpresa->SetFocus();
    ui_.dbeSerie->OnExit = seriesExit;

    st.inCodigo = 0;
    st.stContaPagar = "0";
    HideColumn(*ui_.dbgItemProImpos, 3);
    HideColumn(*ui_.dbgImposNFTot, 2);
    HideColumn(*ui_.dbgItemProduto, 10);
    data_.cdsNotaFiscal.FieldByName("NRINSJURNF").SetEditMask(support::PictPess("I"));
    ui_.dbeNrInsJurNF->SetMaxLength(20);
    ui_.tshVencimento->SetEnabled(FieldText(lookups_.qryTipoOperac, "IDUTILVENC") != "N" &&
                                  FieldText(data_.cdsParamDFE, "IDTRATAVENC") != "N" &&
                                  FieldText(data_.cdsParamDFE, "IDLANCENTRVENC") == "S");
    if (ui_.mnuVencimentos) ui_.mnuVencimentos->SetEnabled(ui_.tshVencimento->Enabled());
    for (DBGrid* grid : {ui_.dbgItemProduto, ui_.dbgItemNotaFisc, ui_.dbgItemSemNF})
        FirstColumnButton(*grid, ColumnButton::Ellipsis);
}

// The list row of a new posting: branch lookup's company, the branch in process, the code the server
// replaces on closing.
void PostingEditor::InsertListRow() {
    if (!data_.cdsRomaneioNF.Active()) data_.cdsRomaneioNF.CreateDataSet();
    const std::string company = FieldText(lookups_.qryFiliRece, "CDEMPRESA");
    data_.cdsRomaneioNF.Append();
    SetWhileEditing(data_.cdsRomaneioNF, "CDEMPRESA", company);
    SetWhileEditing(data_.cdsRomaneioNF, "CDFILIAL", support::zymora::FiliProc());
    SetWhileEditing(data_.cdsRomaneioNF, "NRLANCTONF", "NOVOCODIGO");
    SetWhileEditing(data_.cdsRomaneioNF, "CDTIPOOPER", FieldText(lookups_.qryTipoOperac, "CDTIPOOPER"));
    SetWhileEditing(data_.cdsRomaneioNF, "NMTIPOOPER", FieldText(lookups_.qryTipoOperac, "NMTIPOOPER"));
    SetWhileEditing(data_.cdsNotaFiscal, "CDEMPRESA", company);
    SetWhileEditing(data_.cdsNotaFiscal, "CDINSCESTA", FieldText(lookups_.qryFiliRece, "CDINSCESTA"));
    SetWhileEditing(data_.cdsNotaFiscal, "CDINSCMUNI", FieldText(lookups_.qryFiliRece, "CDINSCMUNI"));
    if (!company.empty() && FieldText(lookups_.qryEmpresa, "CDEMPRESA") != company) {
        form_.List().ShowRowCompany();
        const std::string name = FieldText(lookups_.qryEmpresa, "NMRAZSOCEMPR");
        SetWhileEditing(data_.cdsRomaneioNF, "NMRAZSOCEMPR", name);
        ui_.dbeNmEmpresa->SetText(name);
    }
}

void PostingEditor::Change() {
    ModuleState& st = Cli_dfe11000();
    ResetPostingTexts();
    form_.AccessKey().boChaveManual = false;
    st.boSeqItProd = true;
    if (StockMoves())
        ValidaInventario(form_, ui_.medCdFilial->Text(), support::zymora::DataProc(ui_.medCdFilial->Text()));
    form_.Header().Vd_FiliInat();
    if (ui_.sbtReplicDoc->Enabled()) {
        const bool replicated = GetVerifReplic(form_, form_.Loader().PostingKey().first,
                                               FieldText(data_.cdsNotaFiscal, "NRLANCTONF"));
        ui_.sbtReplicDoc->SetDown(replicated);
        ui_.mnuReplicDoc->SetChecked(replicated);
    }
    try {
        form_.Release().SenhaLiberacao();
    } catch (...) {
        ReleaseFailed();
        throw;
    }
    AskManifestation();

    st.stLista.clear();
    EnableBranchEditors(false);
    stGrupoFiscal.clear();
    st.stModDocFisc = FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC");
    if (form_.pgcPadrao.ActivePage() == ui_.tshVencimento) {
        data_.cdsContaPagar.Edit();
        return;
    }
    if (form_.pgcPadrao.ActivePage() != &form_.tshFormulario) {
        form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
        form_.Loader().pgcPadraoChange();
    }
    data_.cdsNotaFiscal.Edit();
    ui_.scbFormulario->SetVertScrollPosition(0);
    st.boInsert = false;
    FocusAfterChange();
}

// The recipient's manifestation of the listed posting decides whether it may still be changed.
void PostingEditor::AskManifestation() {
    const std::string manifestation = FieldText(data_.cdsRomaneioNF, "IDSTATUSMANIF").substr(0, 1);
    if (manifestation == "1" || manifestation == "4") {
        const std::string text =
            FillPercentS(form_.msgPadrao.Msg("BloqManif_Exc"),
                         form_.msgPadrao.Msg(manifestation == "1" ? "Manif4" : "Manif8"));
        if (support::MsgAlertEx(text, DialogType::Confirmation, {"Sim", "Não"}, "BloqManif_Exc") != 10)
            ThrowAbort();
    } else if (manifestation == "2" || manifestation == "3") {
        support::CurrentDialogs().ShowError(
            ErrorRequest{FillPercentS(form_.msgPadrao.Msg("BloqManif_Alt"),
                                      form_.msgPadrao.Msg(manifestation == "2" ? "Manif5" : "Manif6")),
                         {},
                         "BloqManif_Alt"});
        ThrowAbort();
    }
}

void PostingEditor::FocusAfterChange() {
    auto focusOr = [this](Control* preferred) {
        Control* target = preferred && preferred->Enabled() ? preferred : static_cast<Control*>(ui_.dbeSerie);
        if (target->CanFocus()) target->SetFocus();
    };
    switch (ui_.nbkDestino->PageIndex()) {
    case 0:
        focusOr(ui_.dbeNrInsJurClie);
        break;
    case 1:
        // A type whose supplier comes from the CPF/CNPJ runs the supplier rule before the focus moves on.
        if (!ui_.dbeNrInsJurNF->Enabled() && form_.Header().TipoOper().IDINFCPFCNPJNF == "S")
            form_.Participants().dbeNrInsJurNFExit();
        focusOr(ui_.dbeNrInsJurNF);
        break;
    default:
        focusOr(ui_.dbeCdFilial);
        break;
    }
}

void PostingEditor::Confirm() {
    ModuleState& st = Cli_dfe11000();
    st.stErroFech = "N";
    st.stLimitForn = "S";
    form_.Header().Vd_FiliInat();
    stFechamento = "N";
    if (InEdit(data_.cdsNotaFiscal) && FieldText(data_.cdsNotaFiscal, "IDSTATUS") == "D")
        support::MensErro(form_.msgPadrao, "NF_Digit", true);
    LoadSupplierParams();
    if (st.stVerifVrNF == "N" && FieldText(data_.cdsParamForne, "IDREACONFVRNF") == "S" &&
        FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "N") {
        st.stVerifVrNF = "S";
        Refuse(ui_.dbeVrNotaFisc, "Verif_Valor");
    }
    form_.Document().Vd_ModDocFisc(false);
    RunPendingExit();
    ConfirmHeaderRules();

    boCancelaCpfCnpj = false;
    st.boHabEtiq = false;
    // Replication is offered only for a posting that was closed, with the number the server gave it.
    const bool offerReplication =
        !ui_.sbtReplicDoc->Down() && FieldText(data_.cdsParamDFE, "IDAVNFNREPEN") == "S";
    if (!form_.Closing().FechaNotaFiscal("0")) return;
    if (offerReplication &&
        support::ShowMsg(form_.msgPadrao, "NF_NRepli", DialogType::Confirmation, mb::YesNo) == mr::Yes)
        CriaReplicacao(form_);
    if (!form_.Errors().Existe_Erro() && FieldText(lookups_.qryFiliRece, "IDFUNCAOFILI") == "O" &&
        st.boHabEtiq && FieldText(data_.cdsParamDFE, "IDETIQPRODOL") == "S")
        CriaGeraEtiq(form_);
    st.boConsEtiq = false;
    if (data_.cdsEtiqRegera.Active()) data_.cdsEtiqRegera.EmptyDataSet();
    form_.Layout().AjustaPanels(0);
    ui_.dbeChaveAcesso->SetTag(0);
    if (data_.cdsItemProduto.Active()) data_.cdsItemProduto.First();
    st.boImpAFParaXML = false;
    st.stAuxiliaEntr = "S";
    boChaveAceita = false;
    form_.AccessKey().boChaveManual = false;
    ClearLotMemory(st);
}

void PostingEditor::LoadSupplierParams() {
    const std::string supplier = FieldText(lookups_.qryFornecedor, "CDFORNECED");
    if (FieldText(data_.cdsParamForne, "CDFORNECED") == supplier &&
        !form_.Parameters().SupplierString().empty())
        return;
    if (!supplier.empty()) form_.Parameters().GetParamForn(supplier);
}

// Steps of the confirmation between the document model and the replication question.
void PostingEditor::ConfirmHeaderRules() {
    const ModuleState& st = Cli_dfe11000();
    if (InEdit(data_.cdsNotaFiscal) &&
        !support::Verifica_Vigencia_Insc(FieldText(data_.cdsNotaFiscal, "CDINSCESTA"),
                                         FieldText(data_.cdsNotaFiscal, "CDEMPRESA"),
                                         data_.cdsNotaFiscal.FieldByName("DTENTRSAID").AsDateTime()))
        Refuse(ui_.dbdEntrSaid, "Insc_Vig");
    if (form_.Header().TipoOper().IDNFESTCANC == "S" && text::Trim(ui_.dbeDescCFOp->Text()).empty())
        Refuse(ui_.dbeDescCFOp, "justInf");
    if (FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S" &&
        FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S" && stErroNFE == "S")
        Refuse(ui_.dbeNumero, "ErroNFE");
    if (FieldText(data_.cdsNotaFiscal, "IDORIGDESTNF") == "F" &&
        form_.Header().TipoOper().IDTIPOOPERELE == "S" &&
        FieldText(data_.cdsParamForne, "IDOBRIMPXMLNF") == "S" && !st.boNFImpNFe && st.boInsert &&
        !boChaveAceita) {
        form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
        Refuse(ui_.dbeNumero, "Blq_NFe_ForXML");
    }
    form_.Items().Atualiza_Valores();
    form_.AccessKey().Vd_ChaveAcesso();
    form_.Origin().Vd_ForneNFRemessa(true);
    form_.Origin().Vd_NumeroNFRemessa(true);
    form_.Transport().vd_Transpor();
}

void PostingEditor::Refuse(Control* focus, const char* code) {
    if (focus && focus->CanFocus()) focus->SetFocus();
    support::MensErro(form_.msgPadrao, code, true);
}

// The exit rule of the control left focused, which the command button's click does not leave.
void PostingEditor::RunPendingExit() {
    Control* focused = form_.ActiveControl();
    if (!focused) return;
    const int ctePage = ui_.nbkCte->PageIndex();
    const bool pending = (ctePage == 0 && (focused == ui_.dbeIbgeDest || focused == ui_.cbbTipoCte)) ||
                         (ctePage == 1 && (focused == ui_.dbeChaveRef || focused == ui_.cbbFinEmisDoc ||
                                           focused == ui_.dbeIbgeNF3e)) ||
                         focused == ui_.cbbModDocArrec || focused == ui_.dbeDocArrecad;
    if (pending) focused->DoExit();
}

void PostingEditor::Cancel() {
    ModuleState& st = Cli_dfe11000();
    st.stErroFech = "N";
    st.stLimitForn = "S";
    st.stModDocFisc.clear();
    if (CancelEditedDetail()) return;
    if (st.boRetornoInscEsta &&
        support::ShowMsg(form_.msgPadrao, "Cancel", DialogType::Confirmation, mb::YesNo) != mr::Yes) {
        data_.cdsNotaFiscal.Edit();
        st.boAlteraNF = true;
        boCancelaCpfCnpj = false;
    } else {
        Cancela();
        st.stIdNFImpAF = "N";
        st.stIDTPIJURFORN.clear();
        st.stNRINSJURFORN.clear();
        boCancelaCpfCnpj = true;
        st.boNFImpNFe = false;
        form_.AccessKey().boChaveManual = false;
    }
    st.stTodos = "N";
    if (data_.dtsRomaneioNF->State() == DataSetState::Browse && data_.cdsRomaneioNF.IsEmpty())
        DisableForInsert();
    st.boAlteraNumNF = false;
    if (data_.cdsEtiqRegera.Active()) data_.cdsEtiqRegera.EmptyDataSet();
    st.boConsEtiq = false;
    st.stInscEstaImp.clear();
    ClearLotMemory(st);
}

// Only the detail being edited is cancelled when the focus is on it; true when one was.
bool PostingEditor::CancelEditedDetail() {
    if (form_.pgcPadrao.ActivePage() == ui_.tshVencimento && InEdit(data_.cdsContaPagar)) {
        data_.cdsContaPagar.Cancel();
        return true;
    }
    Control* focused = form_.ActiveControl();
    if (!focused) return false;
    const std::pair<bool, DataSet*> cases[] = {
        {focused->Tag() == kItemControlTag, &data_.cdsItemProduto},
        {focused == ui_.dbgItemEncargo, &data_.cdsItemEncargo},
        {focused == ui_.dbgDadosAdic, &data_.cdsDadosAdic},
        {focused == ui_.dbgItemProImpos, &data_.cdsTrabItProImpos},
        {focused == ui_.dbgItemNotaFisc || focused == ui_.dbgItemSemNF, &data_.cdsItemNotaFisc},
        {focused == ui_.dbgImposNFTot, &data_.cdsTrabImposNFTot},
    };
    for (const auto& [matches, ds] : cases) {
        if (matches && InEdit(*ds)) {
            ds->Cancel();
            return true;
        }
    }
    return false;
}

} // namespace dfe::dfe11000
