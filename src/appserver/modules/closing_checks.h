#pragma once

// The checks a closing runs again on the posting as it will be stored, and what the posting becomes once
// they pass: stock movements and balances, payable titles and the entry fiscal book.

#include "appserver/modules/call_arguments.h"
#include "platform/core/date_time.h"
#include "platform/db/database.h"

#include <set>
#include <string>
#include <vector>

namespace dfe::appserver {

// One row of the closing's answer (net::kClosingRowFields).
struct ClosingRow {
    ClosingRow(std::string c = {}, std::string o = {}, std::string o2 = {}, std::string o3 = {},
               std::string o4 = {}, double v = 0)
        : code(std::move(c)), object(std::move(o)), object2(std::move(o2)), object3(std::move(o3)),
          object4(std::move(o4)), value(v) {}
    std::string code, object, object2, object3, object4;
    double value = 0;
    friend bool operator==(const ClosingRow&, const ClosingRow&) = default;
};

// A finding: an error blocks the closing; a warning blocks it unless the clerk accepted its release code.
struct Finding {
    ClosingRow row;
    std::string releaseCode; // empty: an error
};

// The release codes of the text "#CODE##CODE#CODE#" (or "0": none).
std::set<std::string> ParseReleaseCodes(const std::string& text);

// What the checks need besides the stored posting.
struct ClosingCheckOptions {
    bool checkSupplierLimit = true;
};

// The posting's checks, on its stored rows (inside the closing's transaction, after its changes).
std::vector<Finding> CheckPosting(db::Database& db, const PostingKey& key,
                                  const ClosingCheckOptions& options);

// Reverses what an earlier closing of the posting made of it and makes it again from the stored rows. Gives
// the stock posting's number ("" when the posting moves no stock) and adds a LIB00200_3 warning per product
// whose stock would become negative.
std::string PostPosting(db::Database& db, const PostingKey& key, const std::string& operatorCode,
                        DateTime now, std::vector<Finding>& findings);

} // namespace dfe::appserver
