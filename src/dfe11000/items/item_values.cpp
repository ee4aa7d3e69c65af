// Quantity, unit price and total kept consistent, the calculated fields, the header's values written before
// a confirmation and the local copy of the items.
#include "dfe11000/closing/error_list.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/typed_number.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/decimal.h"

namespace dfe::dfe11000 {
namespace {

// Decimals kept by each value, those of its display format: a quantity and a unit price to the thousandth,
// money to the cent.
constexpr int kQuantityDigits = 3;
constexpr int kUnitPriceDigits = 3;
constexpr int kMoneyDigits = 2;

// Suspends the total rules while a rule writes one of the values itself, so that a derived value never
// flows back into the one it came from (a total rounded to the cent must not change the typed price).
class TotalGuard {
public:
    TotalGuard() : was_(Cli_dfe11000().boTotaItem) { Cli_dfe11000().boTotaItem = true; }
    ~TotalGuard() { Cli_dfe11000().boTotaItem = was_; }
    TotalGuard(const TotalGuard&) = delete;
    TotalGuard& operator=(const TotalGuard&) = delete;

private:
    bool was_;
};

} // namespace

bool ItemRules::TakenFromXml() const {
    return FieldText(data_.cdsRomaneioNF, "IDNFGERADAVIAXML") == "S" ||
           FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S";
}

// Unit price times quantity, to the cent: cut when the origin includes consumer invoices (their totals were
// cut), rounded half away from zero otherwise.
void ItemRules::DeriveTotal(DataSet& items) {
    const double product =
        items.FieldByName("VRUNITITEM").AsFloat() * items.FieldByName("QTITEMPROD").AsFloat();
    const double total = Cli_dfe11000().stExisteDadosNF == "S" ? decimal::Truncate(product, kMoneyDigits)
                                                               : decimal::Round(product, kMoneyDigits);
    TotalGuard guard;
    items.FieldByName("VRTOTAITEM").SetAsFloat(total);
}

void ItemRules::QTITEMPRODValidate(Field& field) {
    if (Cli_dfe11000().boTotaItem) return;
    DataSet& items = field.Owner();
    if (TakenFromXml() && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S") {
        DerivePrice(items, field.AsFloat());
        return;
    }
    DeriveTotal(items);
}

// The invoice's total stands: the price follows it (a quantity of 0 counts as 1).
void ItemRules::DerivePrice(DataSet& items, double quantity) {
    if (quantity == 0) quantity = 1;
    TotalGuard guard;
    items.FieldByName("VRUNITITEM")
        .SetAsFloat(decimal::Round(items.FieldByName("VRTOTAITEM").AsFloat() / quantity, kUnitPriceDigits));
}

void ItemRules::VRUNITITEMValidate(Field& field) {
    if (Cli_dfe11000().boTotaItem) return;
    const bool fromXml =
        Cli_dfe11000().boNFImpNFe || FieldText(data_.cdsRomaneioNF, "IDNFGERADAVIAXML") == "S";
    if (fromXml && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S") return;
    DeriveTotal(field.Owner());
}

void ItemRules::VRTOTAITEMValidate(Field& field) {
    if (Cli_dfe11000().boTotaItem) return;
    DataSet& items = field.Owner();
    const double quantity = items.FieldByName("QTITEMPROD").AsFloat();
    if (quantity <= 0 || Cli_dfe11000().stExisteDadosNF == "S") return;
    TotalGuard guard;
    items.FieldByName("VRUNITITEM").SetAsFloat(decimal::Round(field.AsFloat() / quantity, kUnitPriceDigits));
}

void ItemRules::cdsItemProdutoCalcFields() {
    DataSet& items = data_.cdsItemProduto;
    const double origin = items.FieldByName("QTITEMORIG").AsFloat();
    const double share = origin != 0 && form_.Origin().DevolucaoOrigem()
                             ? items.FieldByName("QTITEMPROD").AsFloat() / origin
                             : 0.0;
    items.FieldByName("VRFATODEVO").SetAsFloat(share);
    items.FieldByName("ProdOK").SetAsBoolean(
        form_.Errors().ResultErroItem(items.FieldByName("CDPRODUTO").AsString()));
}

void ItemRules::cdsItemProdutoAfterCancel() {
    SettleLabelRegeneration(false);
    SetCodeColumnEditable(false);
    if (Cli_dfe11000().boLote) data_.cdsItemProduto.Prior();
    cdsItemProdutoAfterScroll();
}

void ItemRules::cdsItemProdutoAfterScroll() {
    DataSet& taxes = data_.cdsTrabItProImpos;
    if (taxes.Active()) {
        taxes.SetFiltered(false);
        taxes.SetFiltered(true);
    }
    DataSet& items = data_.cdsItemProduto;
    checkedCode_ = FieldText(items, "CDARVPROD");
    if (form_.Header().CurrentType() == "03" && InEdit(data_.cdsNotaFiscal) && taxes.Active()) {
        const double sum = taxes.Aggregate("SUM(VRIMPOSIT)").AsFloat();
        items.FieldByName("VRTOTAITEM").SetTag(sum != 0 ? 1 : 0);
    }
    const bool originPrice =
        form_.Header().TipoOper().IDNFRETIND == "S" && FieldText(items, "IDITEMORIGEM") == "S";
    if (GridColumn* price = ui_.dbgItemProduto->FindColumn("VRUNITITEM")) price->SetReadOnly(originPrice);
}

void ItemRules::AtualizaItemProdutoLocal(const DataSet& items) {
    DataSet& local = data_.cdsItemProdutoAux;
    local.EmptyOrCreateDataSet();
    local.CopyDataFrom(items);
    localCopyStale_ = false;
}

DataSet& ItemRules::ItemProdutoLocal() {
    if (localCopyStale_ && data_.cdsItemProduto.Active()) AtualizaItemProdutoLocal(data_.cdsItemProduto);
    return data_.cdsItemProdutoAux;
}

double ItemRules::TotalItens() const {
    DataSet& items = data_.cdsItemProduto;
    if (!items.Active()) return 0;
    double total = 0;
    for (int row = 1; row <= items.RecordCount(); ++row) {
        items.ReadRecordAt(row, [&] {
            if (FieldText(items, "IDDELETE") != "S") total += items.FieldByName("VRTOTAITEM").AsFloat();
        });
    }
    return decimal::Round(total, kMoneyDigits);
}

void ItemRules::Atualiza_Valores() {
    DataSet& header = data_.cdsNotaFiscal;
    if (InEdit(header)) {
        // What the clerk typed in the header's editors and has not left yet.
        header.UpdateRecord();
        const db::TADOIBQuery& carrier = lookups_.qryPesqTransp;
        const std::string carrierNumber = FieldText(header, "NRINSJURTRAN");
        if (!carrierNumber.empty() && FieldText(carrier, "NRINSJURTRAN") == carrierNumber)
            header.FieldByName("IDTPIJURTRAN").SetAsString(FieldText(carrier, "IDTPIJURTRAN"));
    }
    DataSet& totals = data_.cdsTrabImposNFTot;
    DataSet& taxes = data_.cdsTrabItProImpos;
    if (totals.Active() && taxes.Active()) {
        taxes.SetFiltered(false);
        for (totals.First(); !totals.Eof();) {
            const bool orphan = FieldText(totals, "IDPRODNOTA") == "P" &&
                                !taxes.Locate("CDIMPOSTOIT", Variant(FieldText(totals, "CDIMPOSTOT")));
            if (orphan) {
                totals.Delete();
            } else {
                totals.Next();
            }
        }
        taxes.SetFiltered(true);
    }
    ModuleState& state = Cli_dfe11000();
    state.stCdProdEmiss = ui_.dbeCdProdEmiss->Text();
    state.stDsProdEmiss = ui_.dreDsProdEmiss->Text();
}

void ItemRules::Wire() {
    WireGrids();
    ui_.sbtAlmoLocal->OnClick = [this](Component&) { sbtAlmoLocalClick(); };
    ui_.mnuAlmoLocal->OnClick = [this](Component&) { mnuAlmoLocalClick(); };
    ui_.dbgItemProduto->OnEditButtonClick = [this](Component&) { dbgItemProdutoEditButtonClick(); };

    DataSet& items = data_.cdsItemProduto;
    items.BeforeInsert = [this](DataSet&) { cdsItemProdutoBeforeInsert(); };
    items.OnNewRecord = [this](DataSet&) { cdsItemProdutoNewRecord(); };
    items.AfterCancel = [this](DataSet&) { cdsItemProdutoAfterCancel(); };
    items.AfterScroll = [this](DataSet&) { cdsItemProdutoAfterScroll(); };
    items.OnCalcFields = [this](DataSet&) { cdsItemProdutoCalcFields(); };
    items.BeforePost = [this](DataSet&) { cdsItemProdutoBeforePost(); };
    items.AfterPost = [this](DataSet&) { cdsItemProdutoAfterPost(); };
    items.BeforeDelete = [this](DataSet&) { cdsItemProdutoBeforeDelete(); };
    for (DataSet* ds : {&data_.cdsItemProduto, &data_.cdsItemProdutoAux}) {
        ds->FieldByName("QTITEMPROD").OnValidate = [this](Field& f) { QTITEMPRODValidate(f); };
        ds->FieldByName("VRUNITITEM").OnValidate = [this](Field& f) { VRUNITITEMValidate(f); };
        ds->FieldByName("VRTOTAITEM").OnValidate = [this](Field& f) { VRTOTAITEMValidate(f); };
        RoundTypedNumber(ds->FieldByName("QTITEMPROD"), kQuantityDigits);
        RoundTypedNumber(ds->FieldByName("VRUNITITEM"), kUnitPriceDigits);
        RoundTypedNumber(ds->FieldByName("VRTOTAITEM"), kMoneyDigits);
        RoundTypedNumber(ds->FieldByName("VRDESCITEM"), kMoneyDigits);
        RoundTypedNumber(ds->FieldByName("VRDESPERITEM"), kMoneyDigits);
    }
}

} // namespace dfe::dfe11000
