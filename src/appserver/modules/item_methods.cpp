#include "appserver/modules/item_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/origin_key_list.h"
#include "appserver/modules/returned_quantities.h"
#include "platform/core/decimal.h"
#include "platform/net/connection_names.h"

#include <algorithm>
#include <optional>

namespace dfe::appserver {
namespace {

constexpr int kQuantityDigits = 3;  // QTITEMPROD's scale
constexpr int kUnitPriceDigits = 3; // what the clerk types of a unit price
constexpr int kUnitCostDigits = 4;  // VRUNITITEM's scale

// The answer of a single value, or of none.
Variant SingleValue(const PacketLayout& layout, std::optional<double> value) {
    Packet p;
    p.fields = layout;
    if (value) {
        p.rows.emplace_back();
        p.rows.back().values.push_back(Variant(*value));
    }
    return Variant(ToDataPacket(p));
}

double Number(const Variant& v) {
    return v.IsNull() ? 0.0 : v.AsFloat();
}

// Whether the stored posting came from an import of purchase authorizations and its branch takes part in the
// pilot of authorizations delivered to a destination warehouse. A posting not stored is not in the pilot.
Variant GetVerifAfPiloto(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(!call.Db()
                        .Query("SELECT 1 FROM NOTAFISCAL N JOIN FILIAL F ON F.CDFILIAL = N.CDFILIAL"
                               " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF"
                               " AND N.IDNOTAIMPAF = 'S' AND F.IDUTAFPILOTO = 'S'",
                               KeyParams(key))
                        .rows.empty());
}

// The sequence of the posting's stored item of the product at the unit price, so that a return's row posted
// again keeps its number; "" when there is none. Prices compare as numbers at the clerk's three decimals: the
// client sends the price as text, written either way.
Variant GetNrSeqItProd(MethodContext& call) {
    ExpectArgCount(call, 4, 4);
    const PostingKey key = PostingKeyArgs(call);
    const std::string product = CodeArg(call, 2, 10, "produto");
    const std::optional<double> price = NumberArg(call, 3, "valor unitário");
    if (!price) return Variant("");
    db::SqlParams params = KeyParams(key);
    params.emplace_back("P_CDPRODUTO", product);
    const Packet items = call.Db().Query("SELECT NRSEQITPROD, VRUNITITEM FROM ITEMPRODUTO"
                                         " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                                         " AND CDPRODUTO = :P_CDPRODUTO AND COALESCE(IDDELETE, 'N') <> 'S'"
                                         " ORDER BY NRSEQITPROD",
                                         params);
    const double wanted = decimal::Round(*price, kUnitPriceDigits);
    for (const PacketRow& row : items.rows) {
        if (decimal::Round(Number(row.values[1]), kUnitPriceDigits) == wanted) return row.values[0];
    }
    return Variant("");
}

// What the stored returns naming the origins brought back of the product, this posting's stored rows
// included: the client takes the row's quantity before the edit back out, so that a row edited again is not
// counted twice. Every unit price, lot and sub-lot counts against the same origin quantity: what went out
// once comes back once, whatever the price typed on the return.
Variant GetVd_QuantDev(MethodContext& call) {
    ExpectArgCount(call, 7, 7);
    const PostingKey key = PostingKeyArgs(call);
    const std::string tree = CodeArg(call, 2, 20, "produto");
    NumberArg(call, 3, "valor unitário");
    std::vector<PostingKey> origins = ParseOriginKeyList(ScalarArg(call, 4, "documentos de origem"));
    CodeArg(call, 5, 20, "lote");
    CodeArg(call, 6, 4, "sublote");
    std::sort(origins.begin(), origins.end());
    origins.erase(std::unique(origins.begin(), origins.end()), origins.end());

    double returned = 0;
    const Packet product = call.Db().Query("SELECT CDPRODUTO FROM PRODUTO WHERE CDARVPROD = :P_CDARVPROD",
                                           {{"P_CDARVPROD", tree}});
    if (!product.rows.empty() && !origins.empty()) {
        const std::string code = product.rows[0].values[0].AsString();
        for (const OriginItem& item : ReturnedQuantities(call.Db(), origins, key))
            if (item.product == code) returned = decimal::Round(returned + item.returned, kQuantityDigits);
    }
    return SingleValue(QuantDevLayout(), returned);
}

// The net unit cost, in stock units, of the branch's last purchase of the stock product: the latest incoming
// posting not cancelled whose type enters stock, makes payables and returns nothing, by entry date; its items
// of the product (bonus items and deleted ones aside) weighed together. No row when the branch has none.
Variant GetCustoCmpProd(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const std::string branch = CodeArg(call, 0, 4, "filial de movimentação");
    const std::string product = CodeArg(call, 1, 10, "produto de estoque");
    if (branch.empty() || product.empty()) return SingleValue(CustoCmpProdLayout(), std::nullopt);
    const Packet items = call.Db().Query(
        "SELECT N.CDFILIAL, N.NRLANCTONF, I.VRTOTAITEM, I.VRDESCITEM, I.QTITEMPROD, I.VRFATOCONV"
        " FROM ITEMPRODUTO I JOIN NOTAFISCAL N ON N.CDFILIAL = I.CDFILIAL AND N.NRLANCTONF = I.NRLANCTONF"
        " JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
        " WHERE I.CDPRODESTO = :P_CDPRODESTO AND COALESCE(I.CDFILIMOVI, N.CDFILIAL) = :P_CDFILIAL"
        " AND N.IDENTRSAIDOP = 'E' AND COALESCE(N.IDSTATUS, 'P') <> 'C'"
        " AND T.IDATUESTTPOP = 'S' AND T.IDGERAVENC = 'S' AND COALESCE(T.IDOPERDEVONF, 'N') <> 'S'"
        " AND COALESCE(I.IDDELETE, 'N') <> 'S' AND COALESCE(I.IDPRODBONIF, 'N') <> 'S' AND I.QTITEMPROD > 0"
        " ORDER BY N.DTENTRSAID DESC, N.DTLANCAMENNF DESC, N.NRLANCTONF DESC",
        {{"P_CDFILIAL", branch}, {"P_CDPRODESTO", product}});
    if (items.rows.empty()) return SingleValue(CustoCmpProdLayout(), std::nullopt);
    const Variant &lastBranch = items.rows[0].values[0], &lastPosting = items.rows[0].values[1];
    double net = 0, units = 0;
    for (const PacketRow& row : items.rows) {
        if (row.values[0] != lastBranch || row.values[1] != lastPosting) continue;
        const double factor = Number(row.values[5]) > 0 ? Number(row.values[5]) : 1.0;
        net += Number(row.values[2]) - Number(row.values[3]);
        units += Number(row.values[4]) * factor;
    }
    return SingleValue(CustoCmpProdLayout(), decimal::Round(net / units, kUnitCostDigits));
}

// The items received from purchase authorizations, when the stored posting was made by importing them.
Variant GetVerifNFImpAF(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    return Variant(QueryPacket(call.Db(), VerifNFImpAFLayout(),
                               "SELECT I.CDFILIAL, I.NRLANCTONF, I.NRSEQITPROD, I.CDPRODUTO, I.CDFILDEST,"
                               " I.NRAUTOFORN FROM ITEMPRODUTO I JOIN NOTAFISCAL N ON N.CDFILIAL = I.CDFILIAL"
                               " AND N.NRLANCTONF = I.NRLANCTONF"
                               " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF"
                               " AND N.IDNOTAIMPAF = 'S' AND I.NRAUTOFORN IS NOT NULL"
                               " AND COALESCE(I.IDDELETE, 'N') <> 'S' ORDER BY I.NRSEQITPROD",
                               KeyParams(PostingKeyArgs(call))));
}

// One row per label printed for the posting's items.
Variant GetVerifEtiq(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    return Variant(QueryPacket(call.Db(), EtiqRegeraLayout(),
                               "SELECT NRSEQITPROD, IDSTATUSETIQ FROM ETIQPRODUTO"
                               " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                               " ORDER BY NRSEQITPROD, NRETIQUETA",
                               KeyParams(PostingKeyArgs(call))));
}

Variant GetProdAudit(MethodContext& call) {
    ExpectArgCount(call, 3, 3);
    db::SqlParams params = KeyParams(PostingKeyArgs(call));
    params.emplace_back("P_NRSEQITPROD", CodeArg(call, 2, 4, "sequência do item"));
    return Variant(
        QueryPacket(call.Db(), ProdAuditLayout(),
                    "SELECT CDFILIAL, NRLANCTONF, NRSEQITPROD, DTAUDITORIA, CDOPERADOR, DSAUDITORIA"
                    " FROM AUDITITEMNF WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                    " AND NRSEQITPROD = :P_NRSEQITPROD ORDER BY DTAUDITORIA",
                    params));
}

} // namespace

void RegisterItemMethods(MethodRegistry& registry) {
    const auto add = [&](const char* name, MethodFunction f) {
        registry.Add(net::kLancNFEntrada, name, MethodKind::Read, std::move(f));
    };
    add("GetVerifAfPiloto", GetVerifAfPiloto);
    add("GetNrSeqItProd", GetNrSeqItProd);
    add("GetVd_QuantDev", GetVd_QuantDev);
    add("GetCustoCmpProd", GetCustoCmpProd);
    add("GetVerifNFImpAF", GetVerifNFImpAF);
    add("GetVerifEtiq", GetVerifEtiq);
    add("GetProdAudit", GetProdAudit);
}

} // namespace dfe::appserver
