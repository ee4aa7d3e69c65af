#pragma once

// Storing the posting a closing sends: the header and detail deltas applied by their original values, the
// lists sent whole put in place of the stored ones, and the posting's numbers.

#include "appserver/modules/call_arguments.h"
#include "platform/data/packet.h"
#include "platform/db/database.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace dfe::appserver {

inline constexpr const char* kNewPostingNumber = "NOVOCODIGO";

// The stored rows are not those the client changed: another station changed or closed the posting meanwhile.
class ClosingConflict : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The branch's next number of a kind ("NRLANCTONF", "NRLANCESTQ"), ten digits, never given before and not
// held by any posting; the branch's counter row is locked until the transaction ends.
std::string NextBranchNumber(db::Database& db, const std::string& branch, const std::string& kind);

// Which posting the closing is about: the header delta's row (a new posting's branch with an empty number),
// else the key the detail rows carry. Nothing when no row names one.
std::optional<PostingKey> ClosingPostingKey(const std::optional<Packet>& header,
                                            std::initializer_list<const std::optional<Packet>*> details);
// Whether the header delta inserts the posting (its number still the placeholder).
bool InsertsNewPosting(const std::optional<Packet>& header);

// One table of the posting and the columns of its key after the posting's own (branch and number).
struct PostingTable {
    const char* name;
    const char* branchColumn; // the posting's branch in this table
    std::initializer_list<const char*> ownKey;
};

// Applies a dataset's delta to its table: inserts, modifications (located and compared by their original
// values) and deletions. The posting's key replaces whatever key the rows carry, so no row lands in another
// posting. A row already as the delta leaves it is skipped (the same closing arriving twice); one that is
// neither as it was nor as it should become is a ClosingConflict. `fresh`: the posting was inserted by this
// closing, so nothing is stored yet to compare with.
void ApplyDelta(db::Database& db, const PostingTable& table, const Packet& delta, const PostingKey& key,
                bool fresh);

// Puts the rows of a list sent whole in place of the posting's stored rows. `columns` maps the packet's field
// to the table's column (the working tax tables name them their own way); empty maps every field of the same
// name.
using ColumnMap = std::initializer_list<std::pair<const char*, const char*>>;
void ReplaceRows(db::Database& db, const PostingTable& table, const Packet& rows, const PostingKey& key,
                 ColumnMap columns = {});

} // namespace dfe::appserver
