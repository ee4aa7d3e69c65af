// The related documents of a posting and the lots of an imported invoice's items.
#include "dfe11000/items/related_documents.h"
#include "dfe11000/items/detail_deletion.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/data/handler_guard.h"
#include "platform/net/connection_references.h"
#include "platform/net/origin_calls.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/pesq_lista.h"
#include "support/show_msg.h"

#include <algorithm>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Lanc_Inf|Lançamento deve ser informado.",
    "Lanc_Cad|Lançamento não cadastrado.",
    "Lanc_JCad|Lançamento já informado.",
    "Lanc_CVenc|Entrada sem nota fiscal informada possui cobrança independente.",
    "Lanc_Inv05|Lançamento de simples remessa já cobrado anteriormente em outro documento.",
    "Lanc_Inv11|Lançamento sem nota fiscal já incluído em outro documento.",
    "Nota|Notas Fiscais|Não há notas fiscais cadastradas.",
    "Excl_Items|Confirma exclusão d%s ?",
    "cdsItemNotaFisc|o item",
    "Lote_Inf|Lote deve ser informado.",
};

// A reference key: branch (4), " - ", posting number (10).
constexpr size_t kKeyWidth = 17;
constexpr size_t kNumberWidth = 10;

std::string Slice(const std::string& text, size_t from, size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

// The key a stored row names: its reference text, or its branch and posting when a load left it empty.
std::string RowKey(const DataSet& rows) {
    const std::string key = text::Trim(FieldText(rows, "LANCAMENTO"));
    if (!key.empty()) return key;
    const std::string posting = FieldText(rows, "NRLANCTONFIT");
    return posting.empty() ? std::string() : FieldText(rows, "CDFILIALIT") + " - " + posting;
}

// A row's sequence number; 0 when it holds none.
int SequenceOf(const std::string& text) {
    const std::string sequence = text::Trim(text);
    if (sequence.empty() || sequence.size() > 9 ||
        !std::all_of(sequence.begin(), sequence.end(), [](unsigned char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::stoi(sequence);
}

// The candidate's document into the related row. The supplier's name is only shown: the candidates list it
// wider than the row keeps it, so it is cut to the row's width, as a loaded row's is.
void CopyDocument(DataSet& related, const DataSet& candidates) {
    related.FieldByName("CDFILIALIT").SetAsString(FieldText(candidates, "CDFILIAL"));
    related.FieldByName("NRLANCTONFIT").SetAsString(FieldText(candidates, "NRLANCTONF"));
    related.FieldByName("CDSERIEENTR").SetAsString(FieldText(candidates, "CDSERIEENTR"));
    related.FieldByName("NRNOTAFISC").SetAsString(FieldText(candidates, "NRNOTAFISC"));
    Field& name = related.FieldByName("NMRAZSOCFORN");
    name.SetAsString(text::Left(FieldText(candidates, "NMRAZSOCFORN"), static_cast<size_t>(name.Size())));
    related.FieldByName("VRNOTAFISC").SetValue(candidates.FieldByName("VRNOTA").Value());
}

} // namespace

RelatedDocumentRules::RelatedDocumentRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
}

void RelatedDocumentRules::Wire() {
    DataSet& related = data_.cdsItemNotaFisc;
    related.BeforeInsert = [this](DataSet&) { cdsItemNotaFiscBeforeInsert(); };
    related.OnNewRecord = [this](DataSet&) { cdsItemNotaFiscNewRecord(); };
    related.BeforePost = [this](DataSet&) { cdsItemNotaFiscBeforePost(); };
    related.AfterPost = [this](DataSet&) { cdsItemNotaFiscAfterPost(); };
    related.AfterCancel = [this](DataSet&) { cdsItemNotaFiscAfterCancel(); };
    related.BeforeDelete = [this](DataSet&) { cdsItemNotaFiscBeforeDelete(); };
    ui_.dbgItemNotaFisc->OnEditButtonClick = [this](Component&) { dbgItemNotaFiscEditButtonClick(); };
    ui_.dbgItemSemNF->OnEditButtonClick = [this](Component&) { dbgItemNotaFiscEditButtonClick(); };
    ui_.dbgItemSemNF->OnColExit = [this](Component&) { dbgItemSemNFColExit(); };
    ui_.dbgItemsNFForn->OnEnter = [this, previous = ui_.dbgItemsNFForn->OnEnter](Component& sender) {
        if (previous) previous(sender);
        dbgItemsNFFornEnter();
    };
}

std::string RelatedDocumentRules::OperationCode() const {
    const std::string typed = text::Trim(ui_.dbeCdTipoOper->Text());
    return typed.empty() ? form_.Header().CurrentType() : typed;
}

DBGrid* RelatedDocumentRules::ActiveGrid() const {
    return form_.ActiveControl() == ui_.dbgItemNotaFisc ? ui_.dbgItemNotaFisc : ui_.dbgItemSemNF;
}

void RelatedDocumentRules::ShowReferenceButton(bool shown) {
    DBGrid* grid = ActiveGrid();
    if (grid->ColumnCount() == 0) return;
    GridColumn& reference = grid->Column(0);
    reference.SetButtonStyle(shown ? ColumnButton::Ellipsis : ColumnButton::None);
    // The grid of entries without invoice keeps its reference column open to typing.
    if (grid != ui_.dbgItemSemNF || shown) reference.SetReadOnly(!shown);
}

// ---- Rows started and finished

void RelatedDocumentRules::cdsItemNotaFiscBeforeInsert() {
    ShowReferenceButton(true);
    if (ui_.dbgItemSemNF->ColumnCount() > 0 && ui_.dbgItemSemNF->SelectedIndex() != 0) {
        // Moving to the first column is no exit of a row being typed.
        DetachedHandler<NotifyEvent> quiet(ui_.dbgItemSemNF->OnColExit);
        ui_.dbgItemSemNF->SetSelectedIndex(0);
    }
}

int RelatedDocumentRules::HighestSequence() const {
    DataSet& rows = data_.cdsItemNotaFisc;
    int highest = 0;
    for (int recNo = 1; recNo <= rows.RecordCount(); ++recNo) {
        rows.ReadRecordAt(recNo,
                          [&] { highest = std::max(highest, SequenceOf(FieldText(rows, "NRSEQUITNOTA"))); });
    }
    return highest;
}

void RelatedDocumentRules::cdsItemNotaFiscNewRecord() {
    const DataSet& header = data_.cdsNotaFiscal;
    if (!InEdit(header)) return;
    DataSet& related = data_.cdsItemNotaFisc;
    related.FieldByName("CDFILIAL").SetAsString(FieldText(header, "CDFILIAL"));
    related.FieldByName("NRLANCTONF").SetAsString(FieldText(header, "NRLANCTONF"));
    // After the highest number in use too: typed rows and loaded postings do not count in inCodiItemNF.
    const int next = std::max(Cli_dfe11000().inCodiItemNF, HighestSequence()) + 1;
    related.FieldByName("NRSEQUITNOTA").SetAsString(support::Ajusta(std::to_string(next), 3));
    if (ui_.dbgItemNotaFisc->FindColumn("NRLANCTONFIT"))
        ui_.dbgItemNotaFisc->SetSelectedField("NRLANCTONFIT");
}

void RelatedDocumentRules::cdsItemNotaFiscBeforePost() {
    if (OperationCode() != "01") Vd_ItemNotaFisc();
}

void RelatedDocumentRules::cdsItemNotaFiscAfterPost() {
    ShowReferenceButton(false);
    int& counter = Cli_dfe11000().inCodiItemNF;
    counter = std::max(counter, SequenceOf(FieldText(data_.cdsItemNotaFisc, "NRSEQUITNOTA")));
}

void RelatedDocumentRules::cdsItemNotaFiscAfterCancel() {
    ShowReferenceButton(false);
    data_.cdsItemNotaFisc.Prior();
}

void RelatedDocumentRules::cdsItemNotaFiscBeforeDelete() {
    if (form_.ActiveControl() != ui_.dbgItemNotaFisc) return;
    if (!Cli_dfe11000().boInsert) ThrowAbort();
    ConfirmDetailDeletion(form_, data_.cdsItemNotaFisc);
}

// ---- Choosing in the search

void RelatedDocumentRules::LoadCandidates(const std::string& kind) {
    const DataSet& header = data_.cdsNotaFiscal;
    net::GetItemNFArgs args;
    args.branch = text::Trim(ui_.medCdFilial->Text());
    args.kind = kind;
    if (OneOf(FieldText(header, "IDORIGDESTNF"), {"C", "F"})) {
        args.issuer.personType = FieldText(header, "IDTPIJURNF");
        args.issuer.number = FieldText(header, "NRINSJURNF");
    } else {
        args.issuer.issuingBranch = FieldText(header, "CDFILIEMIT");
    }
    // A stored posting being changed still names what it named: those rows stay its candidates.
    if (!Cli_dfe11000().boInsert) args.postingNumber = FieldText(header, "NRLANCTONF");
    args.every = "T";
    data_.cdsItemNF.SetData(
        server_.Call(server_.netLancNFEntrada, args.kMethod, [&args] { return net::ToCallArgs(args); }));
}

void RelatedDocumentRules::dbgItemNotaFiscEditButtonClick() {
    DataSet& related = data_.cdsItemNotaFisc;
    LoadCandidates(OperationCode() == "05" ? "04" : "10");
    std::string& chosen = Cli_dfe11000().stLista;
    chosen.clear();
    if (!support::PesquisaListaMsg(*data_.dtsItemNF, "DSLANCAMENTO", form_.msgPadrao.Msg("Nota"), chosen,
                                   0)) {
        if (InEdit(related)) related.Cancel();
        return;
    }
    data_.cdsItemNF.SetFiltered(false);
    if (InEdit(related)) related.Cancel();
    AddChosen(chosen);
}

void RelatedDocumentRules::AddChosen(const std::string& selection) {
    DataSet& candidates = data_.cdsItemNF;
    DataSet& related = data_.cdsItemNotaFisc;
    if (!related.Active()) related.CreateDataSet();
    for (size_t at = 0; selection.size() - at > 1; at = std::min(selection.size(), at + 1 + kKeyWidth)) {
        const std::string key = Slice(selection, at + 1, kKeyWidth);
        if (!candidates.Locate("DSLANCAMENTO", Variant(key))) continue;
        const std::string branch = FieldText(candidates, "CDFILIAL");
        const std::string posting = FieldText(candidates, "NRLANCTONF");
        bool present = false;
        {
            DetachedHandler<DataSet::Handler> quiet(related.BeforePost);
            present = related.Locate("CDFILIALIT;NRLANCTONFIT", {Variant(branch), Variant(posting)});
        }
        if (present) {
            if (InEdit(related)) related.Cancel();
            continue;
        }
        if (!InEdit(related)) related.Append();
        related.FieldByName("LANCAMENTO").SetAsString(FieldText(candidates, "DSLANCAMENTO"));
        CopyDocument(related, candidates);
        related.Post();
    }
}

// ---- Checking a row

void RelatedDocumentRules::dbgItemSemNFColExit() {
    if (InEdit(data_.cdsItemNotaFisc)) Vd_ItemNotaFisc();
}

void RelatedDocumentRules::dbgItemsNFFornEnter() {
    if (ui_.dbgItemsNFForn->ColumnCount() > 4) ui_.dbgItemsNFForn->SetSelectedIndex(4);
}

void RelatedDocumentRules::Refuse(const char* code) {
    form_.Loader().ShowRecordPage();
    const std::string operation = OperationCode();
    FocusIfPossible(operation == "05" ? ui_.dbgItemNotaFisc : operation == "11" ? ui_.dbgItemSemNF : nullptr);
    DataSet& related = data_.cdsItemNotaFisc;
    if (related.Active() && !InEdit(related) && !related.IsEmpty()) related.Edit();
    support::MensErro(form_.msgPadrao, code, true);
    ThrowAbort();
}

void RelatedDocumentRules::Vd_ItemNotaFisc() {
    const std::string code = OperationCode();
    LoadCandidates(code == "05" ? "04" : code == "11" ? "10" : "");
    DataSet& related = data_.cdsItemNotaFisc;
    if (!related.Active() || !InEdit(related)) return;
    const bool origin = OneOf(code, {"03", "14"});
    const bool isReturn = form_.Header().TipoOper().IDOPERDEVONF == "S";
    if (!origin && !isReturn) {
        if (text::Trim(FieldText(related, "LANCAMENTO")).empty()) Refuse("Lanc_Inf");
        CheckTypedReference(code);
        return;
    }
    const bool unnamed =
        FieldText(related, "CDFILIALIT").empty() && FieldText(related, "NRLANCTONFIT").empty();
    if (!origin) {
        if (ui_.rbtUnica->Checked()) {
            if (data_.cdsNFOrigSaid.RecordCount() == 1 || unnamed) TakeOrigin(data_.cdsNFOrigSaid);
        } else if (unnamed) {
            // A row that already names its origin keeps it: the list's current row may be another one.
            TakeOrigin(data_.cdsNFOrigLista);
        }
        return;
    }
    if (text::Trim(ui_.dbeNrNotaFisc->Text()).empty()) Refuse("Lanc_Inf");
    if (unnamed) TakeOrigin(data_.cdsNFOrigem);
}

void RelatedDocumentRules::TakeOrigin(const DataSet& origin) {
    if (!origin.Active() || origin.IsEmpty()) return;
    DataSet& related = data_.cdsItemNotaFisc;
    related.FieldByName("CDFILIALIT").SetAsString(FieldText(origin, "CDFILIAL"));
    related.FieldByName("NRLANCTONFIT").SetAsString(FieldText(origin, "NRLANCTONF"));
}

void RelatedDocumentRules::CheckTypedReference(const std::string& code) {
    DataSet& related = data_.cdsItemNotaFisc;
    std::string key = text::Trim(FieldText(related, "LANCAMENTO"));
    if (key.find('-') == std::string::npos) {
        // A bare posting number of the branch; one longer than any posting number names none.
        if (text::Length(key) > kNumberWidth) Refuse("Lanc_Cad");
        std::string branch = FieldText(data_.cdsNotaFiscal, "CDFILIAL");
        if (branch.empty()) branch = text::Trim(ui_.medCdFilial->Text());
        key = branch + " - " + support::Ajusta(key, static_cast<int>(kNumberWidth));
    }
    const net::CallArgs keyArgs = net::CallArgs().Str(Slice(key, 0, 4)).Str(Slice(key, 7, kNumberWidth));
    if (code == "11") {
        data_.cdsValidCntPagar.SetData(server_.Call(server_.netLancNFEntrada, "GetValidCntPagar", keyArgs));
        if (!data_.cdsValidCntPagar.IsEmpty()) Refuse("Lanc_CVenc");
    }
    related.FieldByName("LANCAMENTO").SetAsString(key);
    data_.cdsValidItNF.SetData(server_.Call(server_.netLancNFEntrada, "GetValidItNF", keyArgs));
    if (data_.cdsValidItNF.IsEmpty()) Refuse("Lanc_Cad");

    DataSet& candidates = data_.cdsItemNF;
    if (!candidates.Locate("DSLANCAMENTO", Variant(key))) {
        if (code == "05") Refuse("Lanc_Inv05");
        if (code == "11") Refuse("Lanc_Inv11");
        return;
    }
    if (NamedByAnotherRow(key)) Refuse("Lanc_JCad");
    CopyDocument(related, candidates);
}

// The other rows as they are stored: the row being changed is not compared with its stored self, so
// checking it twice, retyping it or cancelling it never blocks its key.
bool RelatedDocumentRules::NamedByAnotherRow(const std::string& key) const {
    DataSet& related = data_.cdsItemNotaFisc;
    const int current = related.State() == DataSetState::Edit ? related.RecNo() : 0;
    bool found = false;
    for (int recNo = 1; recNo <= related.RecordCount() && !found; ++recNo) {
        if (recNo == current) continue;
        related.ReadRecordAt(recNo, [&] { found = RowKey(related) == key; });
    }
    return found;
}

// ---- Lots after an import

void RelatedDocumentRules::PreencheLote() {
    const DataSet& params = data_.cdsParamDFE;
    const ModuleState& state = Cli_dfe11000();
    const bool useLot = FieldText(params, "IDUTILLOTE") == "S";
    if (!useLot && FieldText(params, "IDUTILALMOX") != "S") return;
    if (state.stSugAlmox != "N" && !(state.stSugAlmox == "S" && useLot)) return;
    net::ConnectionReference postingHold(server_.References(), server_.netLancNFEntrada);
    net::ConnectionReference stockHold(server_.References(), server_.netEstoque);
    DataSet& items = data_.cdsItemProduto;
    if (!items.Active()) return;
    while (!items.IsEmpty() && !items.Eof()) {
        if (!FillItemLot()) return;
        if (InEdit(items)) items.Post();
        items.Next();
    }
}

bool RelatedDocumentRules::LotControlled() {
    const DataSet& items = data_.cdsItemProduto;
    data_.cdsVerifLote.SetData(server_.Call(
        server_.netLancNFEntrada, "GetProdFili",
        net::CallArgs().Str(FieldText(items, "CDFILIMOVI")).Str(FieldText(items, "CDPRODESTO"))));
    return FieldText(data_.cdsVerifLote, "IDUTCTRLLOTE") == "S";
}

// The lot the item's authorization gave it; empty without authorizations.
std::string RelatedDocumentRules::AuthorizationLot() const {
    DataSet& authorized = data_.cdsItemAutF;
    if (!authorized.Active() || !authorized.FindField("CDPRODUTO") || !authorized.FindField("NRLOTEESTQ"))
        return {};
    const std::string product = FieldText(data_.cdsItemProduto, "CDPRODUTO");
    const std::string brand = FieldText(data_.cdsItemProduto, "CDMARCA");
    const bool found = !brand.empty() && authorized.FindField("CDMARCA")
                           ? authorized.Locate("CDPRODUTO;CDMARCA", {Variant(product), Variant(brand)})
                           : authorized.Locate("CDPRODUTO", Variant(product));
    return found ? text::Trim(FieldText(authorized, "NRLOTEESTQ")) : std::string();
}

bool RelatedDocumentRules::FillItemLot() {
    DataSet& items = data_.cdsItemProduto;
    const DataSet& params = data_.cdsParamDFE;
    ModuleState& state = Cli_dfe11000();
    const bool useLot = FieldText(params, "IDUTILLOTE") == "S";
    // The lot too: another item's lot of the invoice must not be proposed for this one.
    state.stLoteProdXML.clear();
    state.stValLoteProdXML = DateTime();
    state.stFabLoteProdXML = DateTime();
    if (FieldText(params, "IDSUGALMLOESTPR") == "S") {
        state.stSugAlmoEstPr = "S";
        if (useLot && LotControlled())
            state.stSugAlmoEstPr = "N";
        else
            form_.Items().SuggestDefaultPlacement();
    }
    if (FieldText(params, "IDCTRLESTQ") != "S" || state.stSugAlmoEstPr != "N") {
        if (state.stSugAlmoEstPr == "N") {
            EditFieldText(items, "NRLOTEESTQ", " ");
            EditFieldText(items, "NRSUBLOTE", " ");
        }
        return true;
    }
    const std::string updatesStock = FieldText(lookups_.qryTipoOperac, "IDATUESTTPOP");
    if (!LotControlled() || !useLot) {
        EditFieldText(items, "NRLOTEESTQ", " ");
        EditFieldText(items, "NRSUBLOTE", " ");
        return updatesStock != "S" || form_.Items().PlacementDialog(true);
    }
    form_.Items().ReadXmlLot();
    const std::string authorizedLot = AuthorizationLot();
    if (!authorizedLot.empty()) {
        EditFieldText(items, "NRLOTEESTQ", authorizedLot);
        return true;
    }
    // Asked again for the same item until it has its lot; abandoning the dialog ends the batch.
    for (;;) {
        if (!InEdit(items)) items.Edit();
        {
            FlagDuring noLot(state.boLote, false, true);
            if (!form_.Items().PlacementDialog()) return false;
        }
        if (updatesStock == "N" || !text::Trim(FieldText(items, "NRLOTEESTQ")).empty()) return true;
        support::MensErro(form_.msgPadrao, "Lote_Inf", false);
    }
}

} // namespace dfe::dfe11000
