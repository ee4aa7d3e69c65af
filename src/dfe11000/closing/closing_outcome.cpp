// What follows the server's answer to a closing: the numbers taken over and the posting reloaded, or the
// marked rows restored and the errors shown; then the follow-up calls both share.
#include "dfe11000/closing/closing_rules.h"
#include "dfe11000/closing/error_list.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/text.h"
#include "platform/net/check_result.h"
#include "platform/net/closing_calls.h"
#include "support/show_msg.h"
#include "support/zymora.h"

#include <optional>
#include <vector>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kNewNumber = "NOVOCODIGO";

void ShowColumn(DBGrid& grid, int index) {
    if (grid.ColumnCount() > index) grid.Column(index).SetVisible(true);
}

} // namespace

// ---- Success

void ClosingRules::Succeeded() {
    ModuleState& st = Cli_dfe11000();
    DataSet& rows = data_.cdsErrosFech;
    form_.closingFlags.boPedeSenhaFech = true;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const std::string code = FieldText(rows, "CDERRO");
        if (code == net::closing_row::kWarning || code == "NOTAFISCAL") form_.Errors().Atualiza_ErrosAvisos();
        if (code == "NF_N_APROV")
            support::ShowMsg(form_.msgPadrao2, "NF_N_APROV", DialogType::Information, mb::Ok);
    }
    ShowTaxColumns();
    ErrorListRules& errors = form_.Errors();
    const std::string posting = errors.ClosingRowObject(net::closing_row::kPostingNumber);
    const std::string stockPosting = errors.ClosingRowObject(net::closing_row::kStockPosting);
    if (errors.HasClosingRow("V_Cod_Ben"))
        support::MsgAlertEx(form_.msgPadrao2.Msg("Valid_Cod_Benef"), DialogType::Warning,
                            {form_.msgPadrao2.Msg("BtnOK")}, "Valid_Cod_Benef");
    errors.ClearLists();
    if (!posting.empty()) Renumber(posting);

    const std::string& code = form_.Header().CurrentType();
    if (code == "11" && (!data_.cdsItemProduto.Active() || data_.cdsItemProduto.IsEmpty()) &&
        FieldText(data_.cdsParamDFE, "IDNFOUTRASNF") == "S")
        form_.Loader().GetItemProduto();
    for (DataSet* ds : {&data_.cdsNotaFiscal, &data_.cdsItemProduto, &data_.cdsItemEncargo,
                        &data_.cdsContaPagar, &data_.cdsDadosAdic, &data_.cdsTrabItProImpos,
                        &data_.cdsTrabImposNFTot, &data_.cdsNFRelacAF, &data_.cdsItemNotaFisc})
        if (ds->Active()) ds->MergeChangeLog();

    // The list row takes the posting's key first: the loaders read the posting the list row names.
    UpdateListRow(stockPosting);
    PostingLoader& loader = form_.Loader();
    loader.GetNotaFiscal();
    loader.GetItemProImpos();
    loader.GetImposNFTot();
    loader.GetDadosAdic();
    loader.AtualizaTabTrab();

    form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
    st.boAlteraNF = true;
    form_.Editing().dtsPadraoStateChange();
    if (GridColumn* codeColumn = ui_.dbgItemProduto->FindColumn("CDARVPROD")) {
        codeColumn->SetReadOnly(true);
        codeColumn->SetButtonStyle(ColumnButton::Ellipsis);
    }
    EnableBranchSelectors();
    ui_.sbtErros->SetEnabled(false);
    ui_.mnuErros->SetEnabled(false);

    const DataSet& header = data_.cdsNotaFiscal;
    if (FieldText(data_.cdsParamDFE, "DSPARFILFIS").substr(0, 1) == "S")
        server_.Call(
            server_.netLancNFEntrada, net::kGeraArqExp,
            net::CallArgs().Str(ui_.medCdFilial->Text()).Date(header.FieldByName("DTENTRSAID").AsDateTime()));
    data_.cdsEntrega.EmptyOrCreateDataSet();
    server_.Call(server_.netLancNFEntrada, net::kGeraBaixaTotal,
                 net::CallArgs()
                     .Var(Variant(data_.cdsItemProduto.DataPacketBytes()))
                     .Var(Variant(data_.cdsEntrega.DataPacketBytes()))
                     .Bool(form_.closingFlags.boBaixaTotalAF)
                     .Str(FieldText(data_.cdsRomaneioNF, "CDFILIAL"))
                     .Str(FieldText(data_.cdsRomaneioNF, "NRLANCTONF")));
    data_.cdsEntrega.EmptyDataSet();
    form_.closingFlags.boBaixaTotalAF = false;

    if ((form_.Header().TipoOper().IDOPERDEVONF == "S" || code == "16") && st.boInsert &&
        FieldText(header, "IDORIGDESTNF") != "L") {
        net::GetOcorrAtendArgs occurrence;
        occurrence.participantKind = FieldText(header, "IDORIGDESTNF");
        occurrence.customer = FieldText(header, "CDCLIENTE");
        occurrence.supplier = FieldText(header, "CDFORNECED");
        occurrence.issuingBranch = FieldText(header, "CDFILIEMIT");
        occurrence.relatedBranch = FieldText(data_.cdsItemNotaFisc, "CDFILIALIT");
        occurrence.relatedPosting = FieldText(data_.cdsItemNotaFisc, "NRLANCTONFIT");
        occurrence.branchInProcess = support::zymora::FiliProc();
        occurrence.operatorCode = support::zymora::Operador();
        occurrence.operatorName = support::zymora::Operador();
        occurrence.branch = FieldText(data_.cdsRomaneioNF, "CDFILIAL");
        occurrence.postingNumber = FieldText(data_.cdsRomaneioNF, "NRLANCTONF");
        server_.Call(server_.netLancNFEntrada, net::GetOcorrAtendArgs::kMethod, net::ToCallArgs(occurrence));
    }
    st.boVencAF = false;
}

// The server's number replaces the placeholder wherever the posting still holds it.
void ClosingRules::Renumber(const std::string& posting) {
    DataSet& header = data_.cdsNotaFiscal;
    if (FieldText(header, "NRLANCTONF") == kNewNumber) {
        if (!InEdit(header)) header.Edit();
        header.FieldByName("NRLANCTONF").SetAsString(posting);
        header.FieldByName("IDUTILVENC").SetAsString(FieldText(lookups_.qryTipoOperac, "IDUTILVENC"));
        header.Post();
    }
    const FlagDuring renumbering(Cli_dfe11000().boAtuaNovoCod, true, false);
    for (DataSet* ds : {&data_.cdsItemProduto, &data_.cdsContaPagar}) {
        if (!ds->Active()) continue;
        ControlsPause quiet(*ds);
        for (ds->First(); !ds->Eof(); ds->Next()) {
            if (FieldText(*ds, "NRLANCTONF") != kNewNumber) continue;
            ds->Edit();
            ds->FieldByName("NRLANCTONF").SetAsString(posting);
            ds->Post();
        }
        ds->First();
    }
}

void ClosingRules::UpdateListRow(const std::string& stockPosting) {
    DataSet& row = data_.cdsRomaneioNF;
    if (!row.Active()) return;
    ModuleState& st = Cli_dfe11000();
    const FlagDuring updating(st.boAtuaRoma, true, false);
    if (!InEdit(row)) {
        if (row.IsEmpty()) return;
        row.Edit();
    }
    const DataSet& header = data_.cdsNotaFiscal;
    for (const char* name :
         {"CDFILIAL", "NRLANCTONF", "DTENTRSAID", "CDSERIEENTR", "CDEMPRESA", "VRNOTAFISC", "CDFILIRECE",
          "IDTPIJURNF", "IDSTATUS", "NRINSJURNF", "IDENTRSAIDOP", "IDBLOQUEADO", "NRNOTAFISC", "CDTIPOOPER",
          "DTEMISSAO", "CDFILIEMIT", "IDORIGDESTNF", "IDNFGERADAVIAXML"}) {
        Field* target = row.FindField(name);
        const Field* source = header.FindField(name);
        if (target && source) target->SetValue(source->Value());
    }
    // Names are shown in the list as wide as its column; a longer registered name is cut there.
    const auto copy = [&row](const char* name, const DataSet& from, const char* field) {
        if (Field* target = row.FindField(name))
            target->SetAsString(text::Left(FieldText(from, field), static_cast<size_t>(target->Size())));
    };
    copy("NMTIPOOPER", lookups_.qryTipoOperac, "NMTIPOOPER");
    copy("IDUTILVENC", lookups_.qryTipoOperac, "IDUTILVENC");
    copy("NMFILIAL", lookups_.qryFiliEmit, "NMFILIAL");
    copy("NMRAZSOCCLIE", lookups_.qryCliente, "NMRAZSOCCLIE");
    copy("NMRAZSOCFORN", lookups_.qryFornecedor, "NMRAZSOCFORN");
    if (!stockPosting.empty() && FieldText(row, "NRLANCESTQ") == kNewNumber)
        row.FieldByName("NRLANCESTQ").SetAsString(stockPosting);
    row.Post();
}

// ---- Failure

void ClosingRules::Failed() {
    RestoreMarkedRows();
    data_.cdsErrosVisual.EmptyOrCreateDataSet();
    data_.cdsProdIrreg.EmptyOrCreateDataSet();
    form_.Errors().MontaErrosVisual();
    ShowTaxColumns();
    form_.closingFlags.boPedeSenhaFech = false;
    form_.Errors().mnuErrosLancClick();
    if (form_.closingFlags.boBaseMensal) form_.Editing().Cancel();
}

// The rows removed before the call come back, still marked: the clerk sees what he marked.
void ClosingRules::RestoreMarkedRows() {
    for (DataSet* ds : {&data_.cdsNFRelacAF, &data_.cdsItemProduto}) {
        if (!ds->Active()) continue;
        ControlsPause quiet(*ds);
        ds->SetStatusFilter(StatusFilter::DeletedOnly());
        while (!ds->IsEmpty()) {
            ds->First();
            ds->RevertRecord();
        }
        ds->SetStatusFilter(StatusFilter::Default());
        ds->First();
    }
}

void ClosingRules::ShowTaxColumns() {
    ShowColumn(*ui_.dbgItemProduto, 10);
    if (OneOf(form_.Header().CurrentType(), {"07", "09", "10"})) return;
    ShowColumn(*ui_.dbgItemProImpos, 3);
    ShowColumn(*ui_.dbgImposNFTot, 2);
}

void ClosingRules::EnableBranchSelectors() {
    const bool free = !support::zymora::ModuFili() && !InEdit(data_.cdsNotaFiscal);
    for (Control* c : {static_cast<Control*>(ui_.medCdFilial), static_cast<Control*>(ui_.btpFilial),
                       static_cast<Control*>(ui_.lblFilial)})
        c->SetEnabled(free);
}

// ---- Both

void ClosingRules::Tail() {
    ModuleState& st = Cli_dfe11000();
    ClosingFlags& flags = form_.closingFlags;
    st.stlItemNF.clear();
    if (InEdit(data_.cdsRomaneioNF) && data_.cdsNotaFiscal.State() == DataSetState::Browse)
        data_.cdsNotaFiscal.Edit();
    for (DBGrid* grid : {ui_.dbgItemNotaFisc, ui_.dbgItemSemNF, ui_.dbgItemProduto}) {
        const int index = grid == ui_.dbgItemProduto ? 1 : 0;
        if (grid->ColumnCount() <= index) continue;
        grid->Column(index).SetReadOnly(true);
        grid->Column(index).SetButtonStyle(ColumnButton::Ellipsis);
    }
    EnableBranchSelectors();

    const DataSet& header = data_.cdsNotaFiscal;
    const DataSet& row = data_.cdsRomaneioNF;
    const std::string listArgs =
        FieldText(row, "CDFILIAL") + "|" + FieldText(row, "NRLANCTONF") + "|" + FieldText(row, "CDEMPRESA");
    if (FieldText(lookups_.qryTipoOperac, "IDREARATMANNF") == "S" && flags.stOfereceRateio == "S") {
        flags.stOfereceRateio = "N";
        if (support::ShowMsg(form_.msgPadrao2, "Rat_Manual", DialogType::Confirmation, mb::YesNo) == mr::Yes)
            support::zymora::LoadBPL("Ger03600", listArgs);
        if (FieldText(data_.cdsParamGeral, "IDPERAPROVNFXML") == "S" &&
            FieldText(header, "IDNFGERADAVIAXML") == "S") {
            net::AprovaNotaFiscalArgs approval;
            approval.branch = FieldText(header, "CDFILIAL");
            approval.postingNumber = FieldText(header, "NRLANCTONF");
            approval.receivingBranch = FieldText(header, "CDFILIRECE");
            approval.operatorCode = support::zymora::Operador();
            approval.branchInProcess = support::zymora::FiliProc();
            approval.company = FieldText(header, "CDEMPRESA");
            approval.supplier = FieldText(header, "CDFORNECED");
            approval.operationType = FieldText(header, "CDTIPOOPER");
            CallOptions options;
            options.busyText = form_.msgPadrao2.Msg("AprovaNF");
            const Variant approved =
                server_.Call(server_.netLancNFEntrada, net::AprovaNotaFiscalArgs::kMethod,
                             net::ToCallArgs(approval), options);
            if (!approved.AsBoolean())
                support::ShowMsg(form_.msgPadrao2, "NF_N_APROV", DialogType::Information, mb::Ok);
        }
    }
    if (flags.stErrosExibidos == "N") {
        flags.stErrosExibidos = "S";
        if (apportionByHand_ == "S") support::zymora::LoadBPL("Ger03600", listArgs);
    }
    if (FieldText(data_.cdsParamDFE, "IDAVNFNOCORR") == "S" && flags.boAvisaOcorrencia)
        support::zymora::LoadBPL("GQL00800", "||");

    // Whatever the analysis version says, the posting stays closed: an error is shown, not thrown.
    CallOptions quiet;
    quiet.checkResult = false;
    const Variant version =
        server_.Call(server_.netLancNFEntrada, net::kGetVersaoAna,
                     net::CallArgs().Str(FieldText(row, "NRLANCTONF")).Str(ui_.medCdFilial->Text()), quiet);
    const std::optional<std::string> refusal = net::ErrorAnswerText(version);
    const std::string answer = refusal ? *refusal : version.AsString();
    if (answer == "sem_vigencia") {
        support::ShowMsg(form_.msgPadrao2, "sem_vigencia", DialogType::Information, mb::Ok);
    } else if (answer != "ok" && answer != "nada") {
        support::MensErro(answer, false);
    }
    st.boAlteraNF = true;
    st.boInsert = false;
    st.boAtuaNovoCod = false;
    st.boAlteraNumNF = false;
}

} // namespace dfe::dfe11000
