#pragma once

// A posting as the client sends it to be closed: the header, items, item taxes, tax totals and installments
// of a new purchase, in the client's field names (some of which no table has). Shared by the closing's tests
// and its benchmark, so it needs no test framework.

#include "platform/core/decimal.h"
#include "platform/data/packet.h"
#include "platform/net/closing_calls.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace dfe::appserver::testing {

struct DraftItem {
    std::string product;
    double quantity = 1;
    double price = 1;
    std::string cfop = "2102";
    std::vector<std::pair<std::string, double>> taxes = {{"01", 12}}; // tax code, rate in percent
};

struct PostingDraft {
    std::string branch = "0001";
    std::string number = "NOVOCODIGO";
    std::string supplier = "J11222333000181"; // Serra Azul
    std::string document = "000050001";
    std::string series = "1";
    std::string type = "01";
    DateTime issue = DateTime::FromDate(2026, 12, 9);
    DateTime entry = DateTime::FromDate(2026, 12, 10);
    std::vector<DraftItem> items;
    int installments = 0;         // equal installments of the document value, 30 days apart
    double charges = 0;           // document value above the items
    double installmentsValue = 0; // what the installments add up to; 0: the document value
    std::string releaseCodes = "0";
    std::string supplierLimit = "S";

    double ItemsTotal() const {
        double total = 0;
        for (const DraftItem& i : items)
            total += ItemTotal(i);
        return decimal::Round(total, 2);
    }
    double DocumentValue() const { return decimal::Round(ItemsTotal() + charges, 2); }
    static double ItemTotal(const DraftItem& i) { return decimal::Round(i.quantity * i.price, 2); }
};

inline FieldDef Str(const char* name, int size) {
    return {name, FieldType::String, size};
}
inline FieldDef Num(const char* name) {
    return {name, FieldType::Float, 0};
}
inline FieldDef Day(const char* name) {
    return {name, FieldType::DateTime, 0};
}

inline Packet Rows(std::vector<FieldDef> fields, std::vector<std::vector<Variant>> rows, bool delta) {
    Packet p;
    p.fields = std::move(fields);
    p.isDelta = delta;
    for (auto& values : rows)
        p.rows.push_back({delta ? RowStatus::Inserted : RowStatus::Unmodified, std::move(values), {}});
    return p;
}

inline std::string Seq(size_t i, int width) {
    std::string s = std::to_string(i + 1);
    return std::string(static_cast<size_t>(width) - s.size(), '0') + s;
}

inline net::FechaNotaFiscalArgs ClosingOf(const PostingDraft& d) {
    net::FechaNotaFiscalArgs a;
    const std::string registration = d.supplier.substr(1);
    a.header = Variant(ToDataPacket(
        Rows({Str("CDFILIAL", 4),     Str("NRLANCTONF", 10), Str("CDEMPRESA", 2),    Str("CDFILIRECE", 4),
              Str("IDENTRSAIDOP", 1), Str("CDTIPOOPER", 2),  Str("IDORIGDESTNF", 1), Str("CDFORNECED", 21),
              Str("IDTPIJURNF", 1),   Str("NRINSJURNF", 20), Str("CDMODDOCFISC", 2), Str("CDSERIEENTR", 5),
              Str("NRNOTAFISC", 20),  Day("DTEMISSAO"),      Day("DTENTRSAID"),      Num("VRPRODUTOS"),
              Num("VRNOTAFISC"),      Str("SGESTADO", 2),    Str("NRLANCESTQ", 10),  Str("NMRAZSOCFORN", 60)},
             {{d.branch,
               d.number,
               "01",
               d.branch,
               "E",
               d.type,
               "F",
               d.supplier,
               std::string(1, d.supplier[0]),
               registration,
               "55",
               d.series,
               d.document,
               d.issue,
               d.entry,
               d.ItemsTotal(),
               d.DocumentValue(),
               "SP",
               "NOVOCODIGO",
               "Serra Azul (lista)"}},
             true)));

    std::vector<std::vector<Variant>> items, taxes;
    std::vector<std::pair<std::string, std::pair<double, double>>> totals; // tax, (base, value)
    for (size_t i = 0; i < d.items.size(); ++i) {
        const DraftItem& it = d.items[i];
        const double total = PostingDraft::ItemTotal(it);
        items.push_back({d.branch, d.number, Seq(i, 4), it.product, it.quantity, it.price, total, 0.0,
                         it.cfop, d.branch, "ALM002", "LOC001", "N", 1.0, "Produto (lista)"});
        for (const auto& [tax, rate] : it.taxes) {
            const double value = decimal::Round(total * rate / 100, 2);
            taxes.push_back({d.branch, d.number, Seq(i, 4), tax, it.product, total, total, rate, value, "1"});
            bool found = false;
            for (auto& [code, sums] : totals) {
                if (code != tax) continue;
                sums.first += total;
                sums.second += value;
                found = true;
            }
            if (!found) totals.push_back({tax, {total, value}});
        }
    }
    const std::vector<FieldDef> itemFields = {
        Str("CDFILIAL", 4),     Str("NRLANCTONF", 10), Str("NRSEQITPROD", 4),  Str("CDPRODUTO", 10),
        Num("QTITEMPROD"),      Num("VRUNITITEM"),     Num("VRTOTAITEM"),      Num("VRDESCITEM"),
        Str("CDFISOPEITEM", 4), Str("CDFILIMOVI", 4),  Str("CDALMOXARIFE", 6), Str("CDLOCALESTOQ", 6),
        Str("IDDELETE", 1),     Num("VRFATOCONV"),     Str("NMPRODUTO", 50)};
    a.items = Variant(ToDataPacket(Rows(itemFields, items, true)));
    a.allItems = Variant(ToDataPacket(Rows(itemFields, items, false)));
    a.itemTaxes = Variant(ToDataPacket(
        Rows({Str("CDFILIMPOIT", 4), Str("NRLANCIMPOIT", 10), Str("NRSEQIMPOIT", 4), Str("CDIMPOSTOIT", 2),
              Str("CDPRODUTO", 10), Num("VRCONTIMPOIT"), Num("VRBCALCIMPOIT"), Num("VRALIQIMPOIT"),
              Num("VRIMPOSIT"), Str("CDFISCIMPOIT", 1)},
             taxes, false)));
    std::vector<std::vector<Variant>> totalRows;
    for (const auto& [code, sums] : totals)
        totalRows.push_back({code, decimal::Round(sums.first, 2), decimal::Round(sums.second, 2), "P"});
    a.taxTotals = Variant(ToDataPacket(
        Rows({Str("CDIMPOSTOT", 2), Num("VRBCALIMPTOT"), Num("VRIMPOSTOT"), Str("IDPRODNOTA", 1)}, totalRows,
             false)));

    std::vector<std::vector<Variant>> installments;
    const double value = d.installmentsValue > 0 ? d.installmentsValue : d.DocumentValue();
    const double each = std::floor(value * 100 / std::max(d.installments, 1)) / 100;
    for (int i = 0; i < d.installments; ++i) {
        const double v =
            i + 1 < d.installments ? each : decimal::Round(value - each * (d.installments - 1), 2);
        installments.push_back({d.branch, d.number, Seq(static_cast<size_t>(i), 2),
                                Seq(static_cast<size_t>(i), 2), d.entry.AddDays(30.0 * (i + 1)), v});
    }
    a.installments =
        installments.empty()
            ? Variant::Null()
            : Variant(ToDataPacket(Rows({Str("CDFILIAL", 4), Str("NRLANCTONF", 10), Str("NRSEQVENPAG", 2),
                                         Str("NRPARCELAPAG", 2), Day("DTORIGVENPAG"), Num("VRORIGPAG")},
                                        installments, true)));
    a.relatedDocuments = Variant(
        ToDataPacket(Rows({Str("CDFILIAL", 4), Str("NRLANCTONF", 10), Str("NRSEQUITNOTA", 3)}, {}, false)));
    a.receivingBranch = d.branch;
    a.entryDate = d.entry;
    a.onlineStock = "S";
    a.stockFrom = a.stockTo = d.entry;
    a.stockPosting = "NOVOCODIGO";
    a.productsValue = d.ItemsTotal();
    a.releaseCodes = d.releaseCodes;
    a.operationType = d.type;
    a.operatorCode = "MSOUZA";
    a.otherInvoices = "N";
    a.series = d.series;
    a.branchInProcess = d.branch;
    a.documentValue = d.DocumentValue();
    a.returnFlag = Variant("N");
    a.nfeItems = Variant::Null();
    a.apportionA = "N";
    a.apportionB = "P";
    a.reversalFlag = Variant("N");
    a.hideCredited = "S";
    a.showNfeInfo = "N";
    a.supplierLimit = d.supplierLimit;
    return a;
}

// Three items of the head office's dairy with ICMS, PIS and COFINS, in two installments.
inline PostingDraft ThreeItemPurchase(std::string document = "000050001") {
    PostingDraft d;
    d.document = std::move(document);
    const std::vector<std::pair<std::string, double>> taxes = {{"01", 12}, {"03", 1.65}, {"04", 7.6}};
    d.items = {{"0000000101", 100, 3.2, "2102", taxes},
               {"0000000102", 10, 46, "2102", taxes},
               {"0000000103", 24, 12.99, "2102", taxes}};
    d.installments = 2;
    return d;
}

} // namespace dfe::appserver::testing
