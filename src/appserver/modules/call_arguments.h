#pragma once

#include "appserver/rpc/method_context.h"
#include "platform/core/date_time.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace dfe::appserver {

// Readers of a call's arguments that refuse, with a text naming the argument, what the client could not
// have meant: a missing or extra argument, a value of another kind, a code longer than its field.
void ExpectArgCount(const MethodContext& call, size_t least, size_t most);

// A text argument (null counts as empty), trimmed, of at most `width` characters.
std::string CodeArg(const MethodContext& call, size_t index, size_t width, std::string_view what);

// A date argument; nothing for an empty date (null, empty text, 0).
std::optional<DateTime> DateArg(const MethodContext& call, size_t index, std::string_view what);

// A boolean argument.
bool BoolArg(const MethodContext& call, size_t index, std::string_view what);

// A number argument: a number, or a text written either way ("1.234,56", "1234.56"); nothing for null or
// blank text.
std::optional<double> NumberArg(const MethodContext& call, size_t index, std::string_view what);

// A flag or variant element of the operation type: any scalar; its text.
std::string ScalarArg(const MethodContext& call, size_t index, std::string_view what);
// The same scalar as it came.
const Variant& ScalarValueArg(const MethodContext& call, size_t index, std::string_view what);

// The posting key every posting reader starts with: branch (4) and posting number (10).
struct PostingKey {
    std::string branch;
    std::string number;
    friend auto operator<=>(const PostingKey&, const PostingKey&) = default;
};
PostingKey PostingKeyArgs(const MethodContext& call, size_t first = 0);
// The key as a query's parameters P_CDFILIAL and P_NRLANCTONF.
db::SqlParams KeyParams(const PostingKey& key);

// The participant filter of the related documents: person type (1), registration number (20), issuing
// branch (4).
struct ParticipantFilter {
    std::string personType;
    std::string number;
    std::string issuingBranch;
};
ParticipantFilter ParticipantArgs(const MethodContext& call, size_t first);

} // namespace dfe::appserver
