#include "appserver/modules/returned_quantities.h"

#include "platform/core/decimal.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace dfe::appserver {
namespace {

constexpr int kQuantityDigits = 3; // QTITEMPROD's scale

std::string TextOf(const Variant& v) {
    return v.IsNull() ? std::string() : v.AsString();
}

double QuantityOf(const Variant& v) {
    return v.IsNull() ? 0.0 : v.AsFloat();
}

std::vector<OriginItem> ReadItems(db::Database& db, const PostingKey& origin) {
    const Packet p =
        db.Query("SELECT NRSEQITPROD, CDPRODUTO, QTITEMPROD FROM ITEMPRODUTO"
                 " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF ORDER BY NRSEQITPROD",
                 KeyParams(origin));
    std::vector<OriginItem> items;
    for (const PacketRow& row : p.rows) {
        OriginItem item;
        item.origin = origin;
        item.sequence = TextOf(row.values[0]);
        item.product = TextOf(row.values[1]);
        item.quantity = QuantityOf(row.values[2]);
        items.push_back(std::move(item));
    }
    return items;
}

struct Return {
    DateTime entry;
    PostingKey key;
    auto Order() const { return std::tie(entry, key); }
};

// The returns naming the origin.
std::vector<Return> ReturnsNaming(db::Database& db, const PostingKey& origin) {
    const Packet p = db.Query(
        "SELECT Q.CDFILIAL, Q.NRLANCTONF, Q.DTENTRSAID FROM NOTAFISCAL Q"
        " JOIN TIPOOPERAC T ON T.CDTIPOOPER = Q.CDTIPOOPER"
        " WHERE Q.IDENTRSAIDOP = 'E' AND COALESCE(Q.IDSTATUS, 'P') <> 'C' AND T.IDOPERDEVONF = 'S'"
        " AND (EXISTS (SELECT 1 FROM ITEMNOTAFISC I WHERE I.CDFILIAL = Q.CDFILIAL"
        " AND I.NRLANCTONF = Q.NRLANCTONF AND I.CDFILIALIT = :P_CDFILIAL AND I.NRLANCTONFIT = :P_NRLANCTONF)"
        " OR EXISTS (SELECT 1 FROM ITEMNFORIG O WHERE O.CDFILIAL = Q.CDFILIAL"
        " AND O.NRLANCTONF = Q.NRLANCTONF AND O.CDFILIALIT = :P_CDFILIAL AND O.NRLANCTONFIT = "
        ":P_NRLANCTONF))",
        KeyParams(origin));
    std::vector<Return> returns;
    for (const PacketRow& row : p.rows) {
        const Variant& entry = row.values[2];
        returns.push_back(Return{entry.IsNull() ? DateTime() : entry.AsDateTime(),
                                 PostingKey{TextOf(row.values[0]), TextOf(row.values[1])}});
    }
    return returns;
}

// A return's quantity of each of its products; items the clerk marked deleted return nothing.
std::vector<std::pair<std::string, double>> ReturnedProducts(db::Database& db, const PostingKey& posting) {
    const Packet p = db.Query("SELECT CDPRODUTO, SUM(QTITEMPROD) AS QTITEMPROD FROM ITEMPRODUTO"
                              " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                              " AND COALESCE(IDDELETE, 'N') <> 'S' GROUP BY CDPRODUTO ORDER BY CDPRODUTO",
                              KeyParams(posting));
    std::vector<std::pair<std::string, double>> products;
    for (const PacketRow& row : p.rows)
        products.emplace_back(TextOf(row.values[0]), QuantityOf(row.values[1]));
    return products;
}

} // namespace

std::vector<PostingKey> NamedOrigins(db::Database& db, const PostingKey& posting) {
    const Packet p = db.Query("SELECT CDFILIALIT, NRLANCTONFIT FROM ITEMNOTAFISC"
                              " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                              " AND CDFILIALIT IS NOT NULL AND NRLANCTONFIT IS NOT NULL"
                              " UNION SELECT CDFILIALIT, NRLANCTONFIT FROM ITEMNFORIG"
                              " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF ORDER BY 1, 2",
                              KeyParams(posting));
    std::vector<PostingKey> origins;
    for (const PacketRow& row : p.rows)
        origins.push_back(PostingKey{TextOf(row.values[0]), TextOf(row.values[1])});
    return origins;
}

std::vector<OriginItem> ReturnedQuantities(db::Database& db, const std::vector<PostingKey>& origins,
                                           const PostingKey& asking) {
    // Loaded once per origin; the map's nodes stay put, so items can be pointed at.
    std::map<PostingKey, std::vector<OriginItem>> items;
    const auto itemsOf = [&](const PostingKey& origin) -> std::vector<OriginItem>& {
        const auto [at, added] = items.try_emplace(origin);
        if (added) at->second = ReadItems(db, origin);
        return at->second;
    };
    std::vector<Return> returns;
    for (const PostingKey& origin : origins) {
        itemsOf(origin);
        for (Return& r : ReturnsNaming(db, origin)) {
            const bool known = std::any_of(returns.begin(), returns.end(),
                                           [&](const Return& seen) { return seen.key == r.key; });
            if (!known) returns.push_back(std::move(r));
        }
    }
    std::sort(returns.begin(), returns.end(),
              [](const Return& a, const Return& b) { return a.Order() < b.Order(); });

    for (const Return& r : returns) {
        const std::vector<PostingKey> itsOrigins = NamedOrigins(db, r.key);
        for (const auto& [product, quantity] : ReturnedProducts(db, r.key)) {
            std::vector<OriginItem*> candidates;
            for (const PostingKey& origin : itsOrigins)
                for (OriginItem& item : itemsOf(origin))
                    if (item.product == product) candidates.push_back(&item);
            double left = quantity;
            for (size_t i = 0; i < candidates.size(); ++i) {
                OriginItem& item = *candidates[i];
                const double room = std::max(0.0, item.quantity - item.returned);
                const double taken =
                    decimal::Round(i + 1 == candidates.size() ? left : std::min(left, room), kQuantityDigits);
                item.returned = decimal::Round(item.returned + taken, kQuantityDigits);
                if (r.key != asking)
                    item.returnedByOthers = decimal::Round(item.returnedByOthers + taken, kQuantityDigits);
                left = std::max(0.0, left - taken);
            }
        }
    }

    std::vector<OriginItem> asked;
    for (const PostingKey& origin : origins) {
        const std::vector<OriginItem>& its = itemsOf(origin);
        asked.insert(asked.end(), its.begin(), its.end());
    }
    return asked;
}

std::vector<ProductOrigin> OriginQuantitiesOfReturn(db::Database& db, const PostingKey& posting) {
    const Packet type = db.Query("SELECT T.IDOPERDEVONF, T.IDNFRETIND FROM NOTAFISCAL N"
                                 " JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
                                 " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF"
                                 " AND N.IDENTRSAIDOP = 'E'",
                                 KeyParams(posting));
    if (type.rows.empty() || TextOf(type.rows[0].values[0]) != "S" || TextOf(type.rows[0].values[1]) == "S")
        return {};
    const std::vector<PostingKey> origins = NamedOrigins(db, posting);
    if (origins.empty()) return {};
    std::vector<ProductOrigin> products;
    for (const OriginItem& item : ReturnedQuantities(db, origins, posting)) {
        auto at = std::find_if(products.begin(), products.end(),
                               [&](const ProductOrigin& p) { return p.product == item.product; });
        if (at == products.end()) at = products.insert(products.end(), ProductOrigin{item.product, 0, 0});
        at->quantity = decimal::Round(at->quantity + item.quantity, kQuantityDigits);
        at->returnedByOthers = decimal::Round(at->returnedByOthers + item.returnedByOthers, kQuantityDigits);
    }
    return products;
}

} // namespace dfe::appserver
