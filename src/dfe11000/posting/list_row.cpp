// The screen follows the list row: its operation type, its participant, whether it may be changed, and
// the commands that depend on it.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/entry_date_block.h"
#include "dfe11000/posting/row_fields.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {

bool TfrmLancNFEntrada::DevolucaoOrigem() const {
    return TipoOperElem(0) == "S" && (!dbeNumeroSaida->Text().empty() || TipoOperElem(1) == "S");
}

void TfrmLancNFEntrada::cdsRomaneioNFAfterOpen() {
    ModuleState& state = Cli_dfe11000();
    if (dbgItemProduto->ColumnCount() > 5) dbgItemProduto->Column(5).SetVisible(TipoOperElem(14) == "S");
    state.boSeqItProd = true;
    if (state.boAtuaRoma) return;
    stGrupoFiscal.clear();
    if (cdsNotaFiscal.State() != DataSetState::Insert) {
        const std::string kind = FieldText(cdsRomaneioNF, "CDTIPOOPER");
        stTipoOperAtual = kind.empty() ? "00" : kind;
        state.boBloqueia = EntryDateBlocks(EntryDateWindowOf(cdsParamDFE), state.dtDataProc,
                                           cdsRomaneioNF.Active() && cdsRomaneioNF.FindField("DTENTRSAID")
                                               ? cdsRomaneioNF.FieldByName("DTENTRSAID").AsDateTime()
                                               : DateTime());
        ControlaBotoes(*dtsRomaneioNF);
        ShowRowCompany();
        ShowRowOperationType();
        ShowRowParticipant();
        AjustaPanels(0);
        ShowRowCommands();
        LoadRowRelatedDocuments();
        EnableRowEditors();
        ShowRowInstallmentsAndTaxes();
    }
    state.boAlteraLib = false;
    state.boAltLiberacao = false;
}

void TfrmLancNFEntrada::ShowRowCompany() {
    const std::string company = FieldText(cdsRomaneioNF, "CDEMPRESA");
    if (FieldText(qryEmpresa, "CDEMPRESA") == company) return;
    qryEmpresa.Close();
    qryEmpresa.ParamByName("P_EMPRESA") = Variant(dbeCdEmpresa->Text());
    qryEmpresa.ParamByName("P_TODOS") = Variant("");
    qryEmpresa.Open();
}

void TfrmLancNFEntrada::ShowRowOperationType() {
    const std::string& kind = stTipoOperAtual;
    if (kind == "05") {
        nbkItensNF->SetPageIndex(1);
        grbDadosProd->SetCaption(msgPadrao.Msg("NF_SR"));
        nbkNFOrigem->SetPageIndex(0);
    } else {
        grbDadosProd->SetCaption(msgPadrao.Msg("Dad_Prod"));
        if (TipoOperElem(0) != "S") {
            nbkItensNF->SetPageIndex(0);
            nbkNFOrigem->SetPageIndex(0);
        } else {
            nbkNFOrigem->SetPageIndex(1);
            nbkItensNF->SetPageIndex(DevolucaoOrigem() && TipoOperElem(14) != "S" ? 2 : 0);
        }
    }
    if (TipoOperElem(8) == "S") {
        dbeDescCFOp->SetColor(Color::clInfoBk);
        if (Field* nature = cdsNotaFiscal.Active() ? cdsNotaFiscal.FindField("DSCDFISOPENF") : nullptr;
            nature && InEdit(cdsNotaFiscal))
            nature->SetAsString(msgPadrao.Msg("mensEstor"));
    } else {
        dbeDescCFOp->SetColor(Color::clWindow);
    }
    const bool withoutInvoice = kind == "11";
    nbkTransport->SetPageIndex(withoutInvoice ? 1 : 0);
    grbTransport->SetCaption(msgPadrao.Msg(withoutInvoice ? "E_SN" : "Transportadora"));
}

void TfrmLancNFEntrada::ShowRowParticipant() {
    const std::string mask = support::PictPess(FieldText(cdsRomaneioNF, "IDTPIJURNF"));
    if (Field* supplier = qryFornecedor.FindField("NRINSJURFORN")) supplier->SetEditMask(mask);
    if (Field* number = cdsRomaneioNF.FindField("NRINSJURNF")) number->SetEditMask(mask);
    const std::string participant = FieldText(cdsRomaneioNF, "IDORIGDESTNF");
    if (participant == "C") {
        nbkDestino->SetPageIndex(0);
        grbFornecedor->SetCaption("Cliente");
    } else {
        nbkDestino->SetPageIndex(participant == "L" ? 2 : 1);
        grbFornecedor->SetCaption(TipoOperElem(23) == "S" ? "Exportador" : "Fornecedor");
    }
}

void TfrmLancNFEntrada::ShowRowCommands() {
    const bool supplierRow = dtsPadrao.Enabled() && cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty() &&
                             FieldText(cdsRomaneioNF, "IDORIGDESTNF") == "F";
    mnuConheTransp->SetEnabled(supplierRow);
    sbtConheTransp->SetEnabled(supplierRow);
    mnuGeraSaida->SetEnabled(supplierRow);
    sbtGeraSaida->SetEnabled(supplierRow);
}

void TfrmLancNFEntrada::LoadRowRelatedDocuments() {
    if (cdsRomaneioNF.State() != DataSetState::Browse || FieldText(cdsRomaneioNF, "IDORIGDESTNF") != "F")
        return;
    ModuleState& state = Cli_dfe11000();
    state.stTp = FieldText(cdsRomaneioNF, "IDTPIJURNF");
    state.stNr = FieldText(cdsRomaneioNF, "NRINSJURNF");
    state.stFili.clear();
    GetItemNotaFisc();
    const bool related = cdsItemNotaFisc.Active() && !cdsItemNotaFisc.IsEmpty();
    sbtConheTransp->SetDown(related);
    mnuConheTransp->SetChecked(related);
}

void TfrmLancNFEntrada::EnableRowEditors() {
    const std::string& kind = stTipoOperAtual;
    const bool inserted = cdsRomaneioNF.State() == DataSetState::Insert;
    const bool originKind = kind == "03" || kind == "14";
    const bool origin = originKind ? inserted : (TipoOperElem(0) != "S" || inserted);
    for (Control* c :
         std::initializer_list<Control*>{dbeCdSerie, dbeNrNotaFisc, btpNotaFiscOrigem, dbeSerieSaida,
                                         dbeNumeroSaida, btpNFSaida, dbeCdFilial, dbeNrInsJurClie})
        c->SetEnabled(origin);
    const bool participant = (inserted || (!originKind && TipoOperElem(0) != "S")) && TipoOperElem(6) == "N";
    dbeNrInsJurNF->SetEnabled(participant);
    const bool searches = participant && FieldText(cdsParamDFE, "IDCONSFORNFJ") != "N" &&
                          FieldText(cdsRomaneioNF, "IDDOCREPLIC").empty() &&
                          FieldText(cdsRomaneioNF, "DSNOTAFISORIGOL").empty();
    for (Control* c : std::initializer_list<Control*>{btpFornecedor, btpFiliEmit, btpCliente})
        c->SetEnabled(searches);
}

void TfrmLancNFEntrada::ShowRowInstallmentsAndTaxes() {
    const std::string handling = FieldText(cdsParamDFE, "IDTRATAVENC");
    const bool entryInstallments = FieldText(cdsParamDFE, "IDLANCENTRVENC") == "S";
    tshVencimento->SetEnabled(FieldText(cdsRomaneioNF, "IDUTILVENC") != "N" && handling != "N" &&
                              entryInstallments && cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty());
    dbgContaPagar->SetReadOnly((handling == "M" && entryInstallments) ||
                               FieldText(cdsNotaFiscal, "IDDOCFINANC") == "L");
    mnuVencimentos->SetEnabled(tshVencimento->Enabled());
    const std::string& kind = stTipoOperAtual;
    if (kind.empty()) return;
    const bool taxes = !OneOf(kind, {"05", "07", "09", "10"});
    dbgItemProImpos->SetEnabled(taxes);
    dbgImposNFTot->SetEnabled(taxes);
    dbgItemEncargo->SetEnabled(kind != "09");
    grbProdEmiss->SetEnabled(kind != "05");
}

void TfrmLancNFEntrada::dtsRomaneioNFStateChange() {
    if (Cli_dfe11000().boAtuaRoma) return;
    ControlaBotoes(*dtsRomaneioNF);
    dbnPadrao.SetVisible(pgcPadrao.ActivePage() == &tshFolhaDados && !IsEditing(dtsRomaneioNF->State()));
    Repaint();
    if (TabSheet* page = pgcPadrao.ActivePage()) pgcPadrao.SetActivePage(page);
}

} // namespace dfe::dfe11000
