// The four editing commands of a posting: include, change, confirm and cancel.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/row_fields.h"
#include "dfe11000/server/inventory_check.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::ResetPostingTexts() {
    ModuleState& st = Cli_dfe11000();
    stParamForn.clear();
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
    sbtReplicDoc->SetDown(false);
    mnuReplicDoc->SetChecked(false);
    stErroNFE = "N";
}

void TfrmLancNFEntrada::sbtIncluirClick() {
    ModuleState& st = Cli_dfe11000();
    pgcPadrao.SetActivePage(&tshFolhaDados);
    ResetPostingTexts();
    Vd_FiliInat();

    tshFormulario.SetEnabled(true);
    mnuFormulario->SetEnabled(true);
    st.boInsert = true;
    EnableBranchEditors(*this, false);
    // The record page stays hidden while it is rebuilt, also when a step fails.
    scbFormulario->SetVisible(false);
    const ShowOnExit reveal(*scbFormulario);

    RecreateEmpty(cdsNotaFiscal);
    cdsNotaFiscal.Insert();

    qryCliente.Close();
    qryFornecedor.Close();
    qryInscrEstad.Close();
    nbkDestino->SetPageIndex(1);
    grbFornecedor->SetCaption(TipoOperElem(23) == "S" ? "Exportador" : "Fornecedor");

    for (DataSet* ds : {&cdsItemProduto, &cdsItemEncargo, &cdsItemNotaFisc, &cdsContaPagar, &cdsDadosAdic,
                        &cdsTrabImposNFTot, &cdsTrabItProImpos, &cdsNFRelacAF})
        RecreateEmpty(*ds);

    InsertListRow();

    AjustaPanels(0);
    // The company edit can only take the focus once the record page shows again.
    scbFormulario->SetVisible(true);
    scbFormulario->SetVertScrollPosition(0);
    auto seriesExit = dbeSerie->OnExit;
    dbeSerie->OnExit = nullptr;
    if (dbeCdEmpresa->CanFocus()) dbeCdEmpresa->SetFocus();
    dbeSerie->OnExit = seriesExit;

    st.inCodigo = 0;
    st.stContaPagar = "0";
    HideColumn(*dbgItemProImpos, 3);
    HideColumn(*dbgImposNFTot, 2);
    HideColumn(*dbgItemProduto, 10);
    cdsNotaFiscal.FieldByName("NRINSJURNF").SetEditMask(support::PictPess("I"));
    dbeNrInsJurNF->SetMaxLength(20);
    tshVencimento->SetEnabled(FieldText(qryTipoOperac, "IDUTILVENC") != "N" &&
                              FieldText(cdsParamDFE, "IDTRATAVENC") != "N" &&
                              FieldText(cdsParamDFE, "IDLANCENTRVENC") == "S");
    if (mnuVencimentos) mnuVencimentos->SetEnabled(tshVencimento->Enabled());
    for (DBGrid* grid : {dbgItemProduto, dbgItemNotaFisc, dbgItemSemNF})
        FirstColumnButton(*grid, ColumnButton::Ellipsis);
}

// The list row of a new posting: branch lookup's company, the branch in process, the code the server
// replaces on closing.
void TfrmLancNFEntrada::InsertListRow() {
    if (!cdsRomaneioNF.Active()) cdsRomaneioNF.CreateDataSet();
    const std::string company = FieldText(qryFiliRece, "CDEMPRESA");
    cdsRomaneioNF.Append();
    SetFieldText(cdsRomaneioNF, "CDEMPRESA", company);
    SetFieldText(cdsRomaneioNF, "CDFILIAL", support::zymora::FiliProc());
    SetFieldText(cdsRomaneioNF, "NRLANCTONF", "NOVOCODIGO");
    SetFieldText(cdsRomaneioNF, "CDTIPOOPER", FieldText(qryTipoOperac, "CDTIPOOPER"));
    SetFieldText(cdsRomaneioNF, "NMTIPOOPER", FieldText(qryTipoOperac, "NMTIPOOPER"));
    SetFieldText(cdsNotaFiscal, "CDEMPRESA", company);
    SetFieldText(cdsNotaFiscal, "CDINSCESTA", FieldText(qryFiliRece, "CDINSCESTA"));
    SetFieldText(cdsNotaFiscal, "CDINSCMUNI", FieldText(qryFiliRece, "CDINSCMUNI"));
    if (!company.empty() && FieldText(qryEmpresa, "CDEMPRESA") != company) {
        ShowRowCompany();
        const std::string name = FieldText(qryEmpresa, "NMRAZSOCEMPR");
        SetFieldText(cdsRomaneioNF, "NMRAZSOCEMPR", name);
        dbeNmEmpresa->SetText(name);
    }
}

void TfrmLancNFEntrada::sbtAlterarClick() {
    ModuleState& st = Cli_dfe11000();
    ResetPostingTexts();
    st.boSeqItProd = true;
    if (StockMoves())
        ValidaInventario(*this, medCdFilial->Text(), support::zymora::DataProc(medCdFilial->Text()));
    Vd_FiliInat();
    if (sbtReplicDoc->Enabled()) {
        const bool replicated =
            GetVerifReplic(*this, PostingKey().first, FieldText(cdsNotaFiscal, "NRLANCTONF"));
        sbtReplicDoc->SetDown(replicated);
        mnuReplicDoc->SetChecked(replicated);
    }
    try {
        SenhaLiberacao(*this);
    } catch (...) {
        ReleaseFailed();
        throw;
    }
    AskManifestation();

    st.stLista.clear();
    EnableBranchEditors(*this, false);
    stGrupoFiscal.clear();
    st.stModDocFisc = FieldText(cdsNotaFiscal, "CDMODDOCFISC");
    if (pgcPadrao.ActivePage() == tshVencimento) {
        cdsContaPagar.Edit();
        return;
    }
    if (pgcPadrao.ActivePage() != &tshFormulario) {
        pgcPadrao.SetActivePage(&tshFormulario);
        pgcPadraoChange();
    }
    cdsNotaFiscal.Edit();
    scbFormulario->SetVertScrollPosition(0);
    st.boInsert = false;
    FocusAfterChange();
}

// The recipient's manifestation of the listed posting decides whether it may still be changed.
void TfrmLancNFEntrada::AskManifestation() {
    const std::string manifestation = FieldText(cdsRomaneioNF, "IDSTATUSMANIF").substr(0, 1);
    if (manifestation == "1" || manifestation == "4") {
        const std::string text = FillPercentS(msgPadrao.Msg("BloqManif_Exc"),
                                              msgPadrao.Msg(manifestation == "1" ? "Manif4" : "Manif8"));
        if (support::MsgAlertEx(text, DialogType::Confirmation, {"Sim", "Não"}, "BloqManif_Exc") != 10)
            ThrowAbort();
    } else if (manifestation == "2" || manifestation == "3") {
        support::CurrentDialogs().ShowError(
            ErrorRequest{FillPercentS(msgPadrao.Msg("BloqManif_Alt"),
                                      msgPadrao.Msg(manifestation == "2" ? "Manif5" : "Manif6")),
                         {},
                         "BloqManif_Alt"});
        ThrowAbort();
    }
}

void TfrmLancNFEntrada::FocusAfterChange() {
    auto focusOr = [this](Control* preferred) {
        Control* target = preferred && preferred->Enabled() ? preferred : static_cast<Control*>(dbeSerie);
        if (target->CanFocus()) target->SetFocus();
    };
    switch (nbkDestino->PageIndex()) {
    case 0:
        focusOr(dbeNrInsJurClie);
        break;
    case 1:
        focusOr(dbeNrInsJurNF);
        break;
    default:
        focusOr(dbeCdFilial);
        break;
    }
}

void TfrmLancNFEntrada::sbtConfirmarClick() {
    ModuleState& st = Cli_dfe11000();
    st.stErroFech = "N";
    st.stLimitForn = "S";
    Vd_FiliInat();
    stFechamento = "N";
    if (InEdit(cdsNotaFiscal) && FieldText(cdsNotaFiscal, "IDSTATUS") == "D")
        support::MensErro(msgPadrao, "NF_Digit", true);
    LoadSupplierParams();
    if (st.stVerifVrNF == "N" && FieldText(cdsParamForne, "IDREACONFVRNF") == "S" &&
        FieldText(cdsNotaFiscal, "IDNFGERADAVIAXML") == "N") {
        st.stVerifVrNF = "S";
        Refuse(dbeVrNotaFisc, "Verif_Valor");
    }
    Vd_ModDocFisc(false);
    RunPendingExit();
    ConfirmHeaderRules();

    boCancelaCpfCnpj = false;
    st.boHabEtiq = false;
    // Replication is offered only for a posting that was closed, with the number the server gave it.
    const bool offerReplication = !sbtReplicDoc->Down() && FieldText(cdsParamDFE, "IDAVNFNREPEN") == "S";
    if (!FechaNotaFiscal(*this, "0")) return;
    if (offerReplication &&
        support::ShowMsg(msgPadrao, "NF_NRepli", DialogType::Confirmation, mb::YesNo) == mr::Yes)
        CriaReplicacao(*this);
    if (!Existe_Erro(*this) && FieldText(qryFiliRece, "IDFUNCAOFILI") == "O" && st.boHabEtiq &&
        FieldText(cdsParamDFE, "IDETIQPRODOL") == "S")
        CriaGeraEtiq(*this);
    st.boConsEtiq = false;
    if (cdsEtiqRegera.Active()) cdsEtiqRegera.EmptyDataSet();
    AjustaPanels(0);
    dbeChaveAcesso->SetTag(0);
    if (cdsItemProduto.Active()) cdsItemProduto.First();
    st.boImpAFParaXML = false;
    st.stAuxiliaEntr = "S";
    boChaveAceita = false;
    ClearLotMemory(st);
}

void TfrmLancNFEntrada::LoadSupplierParams() {
    const std::string supplier = FieldText(qryFornecedor, "CDFORNECED");
    if (FieldText(cdsParamForne, "CDFORNECED") == supplier && !stParamForn.empty()) return;
    if (!supplier.empty()) GetParamForn(supplier);
}

// Steps of the confirmation between the document model and the replication question.
void TfrmLancNFEntrada::ConfirmHeaderRules() {
    const ModuleState& st = Cli_dfe11000();
    if (InEdit(cdsNotaFiscal) &&
        !Verifica_Vigencia_Insc(*this, FieldText(cdsNotaFiscal, "CDINSCESTA"),
                                FieldText(cdsNotaFiscal, "CDEMPRESA"),
                                cdsNotaFiscal.FieldByName("DTENTRSAID").AsDateTime()))
        Refuse(dbdEntrSaid, "Insc_Vig");
    if (TipoOperElem(8) == "S" && text::Trim(dbeDescCFOp->Text()).empty()) Refuse(dbeDescCFOp, "justInf");
    if (FieldText(cdsNotaFiscal, "IDNFGERADAVIAXML") == "S" &&
        FieldText(cdsParamDFE, "IDGERNFIGUALXML") == "S" && stErroNFE == "S")
        Refuse(dbeNumero, "ErroNFE");
    if (FieldText(cdsNotaFiscal, "IDORIGDESTNF") == "F" && TipoOperElem(13) == "S" &&
        FieldText(cdsParamForne, "IDOBRIMPXMLNF") == "S" && !st.boNFImpNFe && st.boInsert && !boChaveAceita) {
        pgcPadrao.SetActivePage(&tshFormulario);
        Refuse(dbeNumero, "Blq_NFe_ForXML");
    }
    Atualiza_Valores(*this);
}

void TfrmLancNFEntrada::Refuse(Control* focus, const char* code) {
    if (focus && focus->CanFocus()) focus->SetFocus();
    support::MensErro(msgPadrao, code, true);
}

// The exit rule of the control left focused, which the command button's click does not leave.
void TfrmLancNFEntrada::RunPendingExit() {
    Control* focused = ActiveControl();
    if (!focused) return;
    const int ctePage = nbkCte->PageIndex();
    const bool pending =
        (ctePage == 0 && (focused == dbeIbgeDest || focused == cbbTipoCte)) ||
        (ctePage == 1 && (focused == dbeChaveRef || focused == cbbFinEmisDoc || focused == dbeIbgeNF3e)) ||
        focused == cbbModDocArrec || focused == dbeDocArrecad;
    if (pending) focused->DoExit();
}

void TfrmLancNFEntrada::sbtCancelarClick() {
    ModuleState& st = Cli_dfe11000();
    st.stErroFech = "N";
    st.stLimitForn = "S";
    st.stModDocFisc.clear();
    if (CancelEditedDetail()) return;
    if (st.boRetornoInscEsta &&
        support::ShowMsg(msgPadrao, "Cancel", DialogType::Confirmation, mb::YesNo) != mr::Yes) {
        cdsNotaFiscal.Edit();
        st.boAlteraNF = true;
        boCancelaCpfCnpj = false;
    } else {
        Cancela();
        st.stIdNFImpAF = "N";
        st.stIDTPIJURFORN.clear();
        st.stNRINSJURFORN.clear();
        boCancelaCpfCnpj = true;
        st.boNFImpNFe = false;
    }
    st.stTodos = "N";
    ClearReplicationCode(*this);
    if (dtsRomaneioNF->State() == DataSetState::Browse && cdsRomaneioNF.IsEmpty()) DisableForInsert();
    st.boAlteraNumNF = false;
    if (cdsEtiqRegera.Active()) cdsEtiqRegera.EmptyDataSet();
    st.boConsEtiq = false;
    ClearLotMemory(st);
}

// Only the detail being edited is cancelled when the focus is on it; true when one was.
bool TfrmLancNFEntrada::CancelEditedDetail() {
    if (pgcPadrao.ActivePage() == tshVencimento && InEdit(cdsContaPagar)) {
        cdsContaPagar.Cancel();
        return true;
    }
    Control* focused = ActiveControl();
    if (!focused) return false;
    const std::pair<bool, DataSet*> cases[] = {
        {focused->Tag() == kItemControlTag, &cdsItemProduto},
        {focused == dbgItemEncargo, &cdsItemEncargo},
        {focused == dbgDadosAdic, &cdsDadosAdic},
        {focused == dbgItemProImpos, &cdsTrabItProImpos},
        {focused == dbgItemNotaFisc || focused == dbgItemSemNF, &cdsItemNotaFisc},
        {focused == dbgImposNFTot, &cdsTrabImposNFTot},
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
