// The screen follows the list row: its operation type, its participant, whether it may be changed, and
// the commands that depend on it.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/entry_date_block.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {

void PostingList::cdsRomaneioNFAfterOpen() {
    ModuleState& state = Cli_dfe11000();
    if (ui_.dbgItemProduto->ColumnCount() > 5)
        ui_.dbgItemProduto->Column(5).SetVisible(form_.Header().TipoOper().IDNFRETIND == "S");
    state.boSeqItProd = true;
    if (state.boAtuaRoma) return;
    form_.Editing().ClearGrupoFiscal();
    if (data_.cdsNotaFiscal.State() != DataSetState::Insert) {
        const std::string kind = FieldText(data_.cdsRomaneioNF, "CDTIPOOPER");
        form_.Header().SetCurrentType(kind);
        state.boBloqueia =
            EntryDateBlocks(EntryDateWindowOf(data_.cdsParamDFE), state.dtDataProc,
                            data_.cdsRomaneioNF.Active() && data_.cdsRomaneioNF.FindField("DTENTRSAID")
                                ? data_.cdsRomaneioNF.FieldByName("DTENTRSAID").AsDateTime()
                                : DateTime());
        form_.Editing().ControlaBotoes(*data_.dtsRomaneioNF);
        ShowRowCompany();
        ShowRowOperationType();
        ShowRowParticipant();
        form_.Layout().AjustaPanels(0);
        ShowRowCommands();
        LoadRowRelatedDocuments();
        EnableRowEditors();
        ShowRowInstallmentsAndTaxes();
    }
    state.boAlteraLib = false;
    state.boAltLiberacao = false;
}

void PostingList::ShowRowCompany() {
    const std::string company = FieldText(data_.cdsRomaneioNF, "CDEMPRESA");
    if (FieldText(lookups_.qryEmpresa, "CDEMPRESA") == company) return;
    lookups_.qryEmpresa.Close();
    lookups_.qryEmpresa.ParamByName("P_EMPRESA") = Variant(ui_.dbeCdEmpresa->Text());
    lookups_.qryEmpresa.ParamByName("P_TODOS") = Variant("");
    lookups_.qryEmpresa.Open();
}

void PostingList::ShowRowOperationType() {
    const std::string& kind = form_.Header().CurrentType();
    if (kind == "05") {
        ui_.nbkItensNF->SetPageIndex(1);
        ui_.grbDadosProd->SetCaption(form_.msgPadrao.Msg("NF_SR"));
        ui_.nbkNFOrigem->SetPageIndex(0);
    } else {
        ui_.grbDadosProd->SetCaption(form_.msgPadrao.Msg("Dad_Prod"));
        if (form_.Header().TipoOper().IDOPERDEVONF != "S") {
            ui_.nbkItensNF->SetPageIndex(0);
            ui_.nbkNFOrigem->SetPageIndex(0);
        } else {
            ui_.nbkNFOrigem->SetPageIndex(1);
            ui_.nbkItensNF->SetPageIndex(
                form_.Origin().DevolucaoOrigem() && form_.Header().TipoOper().IDNFRETIND != "S" ? 2 : 0);
        }
    }
    if (form_.Header().TipoOper().IDNFESTCANC == "S") {
        ui_.dbeDescCFOp->SetColor(Color::clInfoBk);
        if (Field* nature =
                data_.cdsNotaFiscal.Active() ? data_.cdsNotaFiscal.FindField("DSCDFISOPENF") : nullptr;
            nature && InEdit(data_.cdsNotaFiscal))
            nature->SetAsString(form_.msgPadrao.Msg("mensEstor"));
    } else {
        ui_.dbeDescCFOp->SetColor(Color::clWindow);
    }
    const bool withoutInvoice = kind == "11";
    ui_.nbkTransport->SetPageIndex(withoutInvoice ? 1 : 0);
    ui_.grbTransport->SetCaption(form_.msgPadrao.Msg(withoutInvoice ? "E_SN" : "Transportadora"));
}

void PostingList::ShowRowParticipant() {
    const std::string mask = support::PictPess(FieldText(data_.cdsRomaneioNF, "IDTPIJURNF"));
    if (Field* supplier = lookups_.qryFornecedor.FindField("NRINSJURFORN")) supplier->SetEditMask(mask);
    if (Field* number = data_.cdsRomaneioNF.FindField("NRINSJURNF")) number->SetEditMask(mask);
    const std::string participant = FieldText(data_.cdsRomaneioNF, "IDORIGDESTNF");
    if (participant == "C") {
        ui_.nbkDestino->SetPageIndex(0);
        ui_.grbFornecedor->SetCaption("Cliente");
    } else {
        ui_.nbkDestino->SetPageIndex(participant == "L" ? 2 : 1);
        ui_.grbFornecedor->SetCaption(form_.Header().TipoOper().IDNFIMPORTACAOIND == "S" ? "Exportador"
                                                                                         : "Fornecedor");
    }
}

void PostingList::ShowRowCommands() {
    const bool supplierRow = form_.dtsPadrao.Enabled() && data_.cdsRomaneioNF.Active() &&
                             !data_.cdsRomaneioNF.IsEmpty() &&
                             FieldText(data_.cdsRomaneioNF, "IDORIGDESTNF") == "F";
    ui_.mnuConheTransp->SetEnabled(supplierRow);
    ui_.sbtConheTransp->SetEnabled(supplierRow);
    ui_.mnuGeraSaida->SetEnabled(supplierRow);
    ui_.sbtGeraSaida->SetEnabled(supplierRow);
}

void PostingList::LoadRowRelatedDocuments() {
    if (data_.cdsRomaneioNF.State() != DataSetState::Browse ||
        FieldText(data_.cdsRomaneioNF, "IDORIGDESTNF") != "F")
        return;
    ModuleState& state = Cli_dfe11000();
    state.stTp = FieldText(data_.cdsRomaneioNF, "IDTPIJURNF");
    state.stNr = FieldText(data_.cdsRomaneioNF, "NRINSJURNF");
    state.stFili.clear();
    form_.Loader().GetItemNotaFisc();
    const bool related = data_.cdsItemNotaFisc.Active() && !data_.cdsItemNotaFisc.IsEmpty();
    ui_.sbtConheTransp->SetDown(related);
    ui_.mnuConheTransp->SetChecked(related);
}

void PostingList::EnableRowEditors() {
    const std::string& kind = form_.Header().CurrentType();
    const bool inserted = data_.cdsRomaneioNF.State() == DataSetState::Insert;
    const bool originKind = kind == "03" || kind == "14";
    const bool origin = originKind ? inserted : (form_.Header().TipoOper().IDOPERDEVONF != "S" || inserted);
    for (Control* c : std::initializer_list<Control*>{
             ui_.dbeCdSerie, ui_.dbeNrNotaFisc, ui_.btpNotaFiscOrigem, ui_.dbeSerieSaida, ui_.dbeNumeroSaida,
             ui_.btpNFSaida, ui_.dbeCdFilial, ui_.dbeNrInsJurClie})
        c->SetEnabled(origin);
    const bool participant = (inserted || (!originKind && form_.Header().TipoOper().IDOPERDEVONF != "S")) &&
                             form_.Header().TipoOper().IDINFCPFCNPJNF == "N";
    ui_.dbeNrInsJurNF->SetEnabled(participant);
    const bool searches = participant && FieldText(data_.cdsParamDFE, "IDCONSFORNFJ") != "N" &&
                          FieldText(data_.cdsRomaneioNF, "IDDOCREPLIC").empty() &&
                          FieldText(data_.cdsRomaneioNF, "DSNOTAFISORIGOL").empty();
    for (Control* c : std::initializer_list<Control*>{ui_.btpFornecedor, ui_.btpFiliEmit, ui_.btpCliente})
        c->SetEnabled(searches);
}

void PostingList::ShowRowInstallmentsAndTaxes() {
    const std::string handling = FieldText(data_.cdsParamDFE, "IDTRATAVENC");
    const bool entryInstallments = FieldText(data_.cdsParamDFE, "IDLANCENTRVENC") == "S";
    ui_.tshVencimento->SetEnabled(FieldText(data_.cdsRomaneioNF, "IDUTILVENC") != "N" && handling != "N" &&
                                  entryInstallments && data_.cdsRomaneioNF.Active() &&
                                  !data_.cdsRomaneioNF.IsEmpty());
    ui_.dbgContaPagar->SetReadOnly((handling == "M" && entryInstallments) ||
                                   FieldText(data_.cdsNotaFiscal, "IDDOCFINANC") == "L");
    ui_.mnuVencimentos->SetEnabled(ui_.tshVencimento->Enabled());
    if (!form_.Header().CurrentType().empty()) form_.Header().EnableTaxGridsByOperation();
}

void PostingList::dtsRomaneioNFStateChange() {
    if (Cli_dfe11000().boAtuaRoma) return;
    form_.Editing().ControlaBotoes(*data_.dtsRomaneioNF);
    form_.dbnPadrao.SetVisible(form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados &&
                               !IsEditing(data_.dtsRomaneioNF->State()));
    form_.Repaint();
    if (TabSheet* page = form_.pgcPadrao.ActivePage()) form_.pgcPadrao.SetActivePage(page);
}

} // namespace dfe::dfe11000
