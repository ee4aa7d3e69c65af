#pragma once

#include "appserver/modules/call_arguments.h"
#include "platform/db/database.h"

#include <string>
#include <vector>

namespace dfe::appserver {

// What returns have brought back of their origin documents' items.
//
// A return is an incoming posting, not cancelled, whose operation type returns goods (IDOPERDEVONF "S"); its
// origins are the postings its related documents and its origin list name. A return's quantity of a product
// is spread over its origins' items of that product, in the origins' key order and each item's sequence,
// filling what earlier returns (by entry date) left of each; the last such item takes whatever remains, so
// that more than the origins held shows as returned instead of vanishing. A product in two origins, or twice
// in one, is thus counted once.

// The origins a posting names, each once, in key order.
std::vector<PostingKey> NamedOrigins(db::Database& db, const PostingKey& posting);

struct OriginItem {
    PostingKey origin;
    std::string sequence; // NRSEQITPROD
    std::string product;
    double quantity = 0;
    double returned = 0;         // by every return naming the origin
    double returnedByOthers = 0; // by those but the one asked about
};

// The items of `origins`, in their order, with what the returns naming them brought back; `asking`'s own part
// is left out of returnedByOthers.
std::vector<OriginItem> ReturnedQuantities(db::Database& db, const std::vector<PostingKey>& origins,
                                           const PostingKey& asking);

// A return's products as its origins hold them: their quantity there and what other returns brought back.
struct ProductOrigin {
    std::string product;
    double quantity = 0;
    double returnedByOthers = 0;
};

// For a return whose quantities are checked against its origins, one entry per product of its origins;
// nothing for other postings and for returns of goods sent for industrialisation (IDNFRETIND "S"), whose
// origin quantity the clerk types.
std::vector<ProductOrigin> OriginQuantitiesOfReturn(db::Database& db, const PostingKey& posting);

} // namespace dfe::appserver
