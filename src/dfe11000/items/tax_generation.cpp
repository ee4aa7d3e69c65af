// An item's taxes asked of the server, or taken from an imported authorization, and merged into its rows.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/data/packet.h"
#include "platform/net/tax_calls.h"
#include "support/consiste.h"
#include "support/lib00201.h"

#include <utility>

namespace dfe::dfe11000 {
namespace {

using Correspondence = std::pair<const char*, const char*>; // answer field, tax row field

// What an authorization's tax row carries into the item.
constexpr Correspondence kAuthorizationColumns[] = {
    {"CDIMPOSTOIT", "CDIMPOSTOIT"},   {"SGIMPOSTO", "SGIMPOSTO"},       {"IDTRATIMPO", "IDTRATIMPO"},
    {"IDPREIMPENTR", "IDPREIMPENTR"}, {"VRALIQIMPOIT", "VRALIQIMPOIT"}, {"VRADICALIQFECP", "VRADICALIQFECP"},
    {"VRIMPOSIT", "VRIMPOSIT"},
};

// What the server computes besides.
constexpr Correspondence kServerColumns[] = {
    {"VRCONTIMPOIT", "VRCONTIMPOIT"},      {"VRBCALCIMPOIT", "VRBCALCIMPOIT"},
    {"VRPDEDIMPOIT", "VRPDEDIMPOIT"},      {"VRREDBCIMPOIT", "VRREDBCIMPOIT"},
    {"IDTRIMPSTII", "IDTRIMPSTTI"},        {"CDSITUTRIBIT", "CDSTRIBIMPOIT"},
    {"CDFISCOPERIT", "CDFOPERIMPOIT"},     {"CDSUFXCFOPIT", "CDSCFOPIMPOIT"},
    {"CDSITUTRIBITNFE", "CDSTRIBITNFE"},   {"IDMODBCITNFE", "IDMODBCITEMNFE"},
    {"IDMODBCSTITNFE", "IDMODBCSTITENFE"}, {"CDTPCREDPICOITE", "CDTPCREDPICOITE"},
    {"CDNATUBCALPCIT", "CDNATUBCALPCIT"},
};

// Every item's tax rows in view, quiet, for a merge; the current item's again afterwards.
class WholeTaxes {
public:
    explicit WholeTaxes(DataSet& taxes) : taxes_(taxes), quiet_(taxes) { taxes_.SetFiltered(false); }
    ~WholeTaxes() { taxes_.SetFiltered(true); }
    WholeTaxes(const WholeTaxes&) = delete;
    WholeTaxes& operator=(const WholeTaxes&) = delete;

private:
    DataSet& taxes_;
    ControlsPause quiet_;
};

std::string Flag(bool on) {
    return on ? "S" : "N";
}

} // namespace

bool TaxRules::ItemHasTax(const std::string& sequence, const std::string& tax) {
    DataSet& taxes = data_.cdsTrabItProImpos;
    bool found = false;
    for (int row = 1; row <= taxes.RecordCount() && !found; ++row) {
        taxes.ReadRecordAt(row, [&] {
            found = FieldText(taxes, "NRSEQIMPOIT") == sequence && FieldText(taxes, "CDIMPOSTOIT") == tax;
        });
    }
    return found;
}

bool TaxRules::FromInvoice(const std::string& tax) {
    DataSet& listed = data_.cdsImpImpoXML;
    if (!listed.Active()) return false;
    bool found = false;
    for (int row = 1; row <= listed.RecordCount() && !found; ++row)
        listed.ReadRecordAt(row, [&] { found = FieldText(listed, "CDIMPOSTO") == tax; });
    return found;
}

// Rows the clerk typed (or the electronic invoice gave) stay; the others are the server's to give again.
// Every such row goes, also of a tax the server no longer answers: a tax that stopped applying must not
// survive with its old value.
void TaxRules::RemoveRegenerable(const std::string& sequence) {
    DataSet& taxes = data_.cdsTrabItProImpos;
    const bool invoiceDocument = FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S";
    taxes.First();
    while (!taxes.Eof()) {
        const bool mine = FieldText(taxes, "NRSEQIMPOIT") == sequence;
        const bool kept = invoiceDocument ? FromInvoice(FieldText(taxes, "CDIMPOSTOIT"))
                                          : FieldText(taxes, "IDVALORINFO") == "S";
        if (mine && !kept) {
            taxes.Delete();
        } else {
            taxes.Next();
        }
    }
}

void TaxRules::InsertMissing(const std::string& sequence, bool full, bool skipInvoiceTaxes) {
    DataSet& answer = data_.cdsImpoItemAF;
    DataSet& taxes = data_.cdsTrabItProImpos;
    const DataSet& items = data_.cdsItemProduto;
    const std::string product = FieldText(items, "CDPRODUTO");
    const std::string brand = FieldText(items, "CDMARCA");
    const bool hideCredited = FieldText(data_.cdsParamDFE, "IDPERVISIMPSCRE") == "N";
    for (answer.First(); !answer.Eof(); answer.Next()) {
        if (FieldText(answer, "CDPRODUTO") != product || FieldText(answer, "CDMARCA") != brand) continue;
        const std::string tax = FieldText(answer, "CDIMPOSTOIT");
        if (ItemHasTax(sequence, tax) || (skipInvoiceTaxes && FromInvoice(tax))) continue;
        taxes.Append();
        taxes.FieldByName("CDPRODUTO").SetAsString(product);
        taxes.FieldByName("NRSEQIMPOIT").SetAsString(sequence);
        for (const auto& [from, to] : kAuthorizationColumns)
            taxes.FieldByName(to).SetValue(answer.FieldByName(from).Value());
        if (full) {
            for (const auto& [from, to] : kServerColumns)
                taxes.FieldByName(to).SetValue(answer.FieldByName(from).Value());
        }
        std::string fiscal = FieldText(answer, "CDFISCIMPOIT");
        if (fiscal.empty()) fiscal = "1";
        taxes.FieldByName("CDFISCIMPOIT").SetAsString(fiscal);
        const bool hidden = hideCredited && (fiscal == "2" || fiscal == "3");
        taxes.FieldByName("VRIMPOSVISUIT")
            .SetValue(hidden ? Variant(0.0) : answer.FieldByName("VRIMPOSIT").Value());
        taxes.Post();
    }
}

void TaxRules::ReplaceTotals() {
    DataSet& totals = data_.cdsTrabImposNFTot;
    const DataSet& answer = data_.cdsImpoNFAF;
    if (!answer.Active()) return;
    ControlsPause quiet(totals);
    totals.SetData(answer.Data());
}

void TaxRules::CriaImpostos() {
    ModuleState& state = Cli_dfe11000();
    if (state.boNFImpNFe && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S") return;
    const DataSet& header = data_.cdsNotaFiscal;
    const DataSet& items = data_.cdsItemProduto;
    const DataSet& origin = data_.cdsItemNFOrigem;
    const DataSet& related = data_.cdsItemNotaFisc;
    const bool isReturn = form_.Origin().DevolucaoOrigem();
    const bool listMode = isReturn && ui_.rbtLista->Checked();

    net::GetImpoItemArgs args;
    args.receivingBranch = FieldText(header, "CDFILIRECE");
    args.company = FieldText(header, "CDEMPRESA");
    args.stateRegistration = FieldText(header, "CDINSCESTA");
    args.operationType = ui_.dbeCdTipoOper->Text();
    args.productTree = FieldText(items, "CDARVPROD");
    args.product = FieldText(items, "CDPRODUTO");
    args.brand = FieldText(items, "CDMARCA");
    args.entryDate = header.FieldByName("DTENTRSAID").AsDateTime();
    args.itemTotal = FieldNumber(items, "VRTOTAITEM");
    args.supplier = FieldText(header, "CDFORNECED");
    args.returnWithOrigin = Flag(isReturn);
    args.relatedPosting = FieldText(related, "NRLANCTONFIT");
    args.relatedBranch = FieldText(related, "CDFILIALIT");
    args.quantity = FieldNumber(items, "QTITEMPROD");
    args.postingNumber = FieldText(items, "NRLANCTONF");
    args.returnList = listMode ? state.stListDevol : std::string();
    args.listMode = Flag(listMode);
    args.listModeInserting = Flag(listMode && header.State() == DataSetState::Insert);
    args.originQuantity = FieldNumber(items, "QTITEMORIG");
    args.unitPrice =
        support::RoundDec(isReturn ? FieldNumber(items, "VRUNITITEM") : FieldNumber(origin, "VRUNITITEM"), 2);
    const bool originLot = isReturn && !FieldText(origin, "NRLOTEESTQ").empty();
    args.lot = FieldText(originLot ? origin : items, "NRLOTEESTQ");
    args.subLot = FieldText(originLot ? origin : items, "NRSUBLOTE");
    args.itemSequence = FieldText(items, "NRSEQITPROD");
    args.regenerate = Flag(state.boAlteraNF);
    args.issuingBranch = FieldText(header, "CDFILIEMIT");
    args.customer = FieldText(header, "CDCLIENTE");
    args.originTotal = isReturn ? 0.0 : FieldNumber(origin, "VRTOTAITEM");
    args.discount = FieldNumber(items, "VRDESCITEM");
    args.branch = FieldText(items, "CDFILIAL");
    args.productOrigin = FieldText(items, "IDORIGEMPROD");
    args.participantState = FieldText(header, "SGESTADO");
    args.municipality = FieldText(header, "CDMUNICIPIO");
    args.documentTotals = Variant(data_.cdsTrabImposNFTot.DataPacketBytes());

    PostingEditor& editing = form_.Editing();
    if (editing.GrupoFiscal().empty()) {
        std::string originCode;
        form_.Origin().CodigoOrigemNF(originCode);
        editing.SetGrupoFiscal(support::lib00201::Consulta_GrupoFiscal(
            FieldText(header, "IDORIGDESTNF"), originCode, FieldText(header, "CDFILIRECE"), "E",
            form_.Header().CurrentType(), FieldText(data_.cdsParamDFE, "CDGRUPOFISC")));
    }

    CallOptions options;
    options.busyText = form_.msgPadrao2.Msg("GetImpoItem");
    Variant answer;
    server_.Sequence({&server_.netLancNFEntrada}, options, [&] {
        if (stProxCodProd.empty() || stProxCodProd == kNewCode) {
            const Variant code = server_.CallIn(server_.netLancNFEntrada, net::kGetProxCodProd,
                                                net::CallArgs().Str(FieldText(header, "CDFILIAL")));
            stProxCodProd = net::AnswerReader(code, net::kGetProxCodProdAnswer).Text("workCode");
        }
        args.fiscalGroup = editing.GrupoFiscal();
        args.workCode = stProxCodProd;
        net::CallArgs call = net::ToCallArgs(args);
        answer = server_.CallIn(server_.netLancNFEntrada, net::GetImpoItemArgs::kMethod, call);
    });
    // Of what the server writes back, only these two are the form's.
    editing.SetGrupoFiscal(args.fiscalGroup);
    stProxCodProd = args.workCode;

    const net::AnswerReader reader(answer, net::kGetImpoItemAnswer);
    // Both packets are checked before either dataset changes.
    Packet itemRows = FromDataPacket(reader.Packet("cdsImpoItemAF"));
    Packet totals = FromDataPacket(reader.Packet("cdsImpoNFAF"));
    data_.cdsImpoItemAF.CheckData(itemRows);
    data_.cdsImpoNFAF.CheckData(totals);
    const bool stillChanging = reader.Text("regenerate") == "S";
    data_.cdsImpoItemAF.SetData(std::move(itemRows));
    data_.cdsImpoNFAF.SetData(std::move(totals));
    state.boAlteraNF = false;

    const std::string sequence = FieldText(items, "NRSEQITPROD");
    {
        WholeTaxes whole(data_.cdsTrabItProImpos);
        RemoveRegenerable(sequence);
        DataSet& rows = data_.cdsImpoItemAF;
        const bool located = rows.Locate("CDPRODUTO;CDMARCA", {Variant(args.product), Variant(args.brand)});
        const bool zeroItem = FieldNumber(items, "QTITEMPROD") <= 0 && FieldNumber(items, "VRTOTAITEM") <= 0;
        const bool skip = located && zeroItem && FieldText(header, "CDTIPOOPER") != "03" &&
                          form_.Header().TipoOper().IDNFAJUSTE != "S";
        if (!skip) InsertMissing(sequence, true, FieldText(header, "IDNFGERADAVIAXML") == "S");
    }
    ReplaceTotals();
    state.boAlteraNF = stillChanging;
}

void TaxRules::CriaImpostosServ() {
    DataSet& rows = data_.cdsImpoItemAF;
    const DataSet& items = data_.cdsItemProduto;
    if (!rows.Active() || !rows.Locate("CDPRODUTO;CDMARCA", {Variant(FieldText(items, "CDPRODUTO")),
                                                             Variant(FieldText(items, "CDMARCA"))}))
        return;
    {
        WholeTaxes whole(data_.cdsTrabItProImpos);
        InsertMissing(FieldText(items, "NRSEQITPROD"), false, false);
    }
    ReplaceTotals();
}

} // namespace dfe::dfe11000
