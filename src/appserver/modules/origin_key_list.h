#pragma once

#include "appserver/modules/call_arguments.h"

#include <string_view>
#include <vector>

namespace dfe::appserver {

// The origin postings of a return as the client lists them: "0001 - 0000000090_0001 - 0000000091_", each
// branch, " - " and posting number followed by "_". Throws MethodRefusal for an entry that is not a key.
std::vector<PostingKey> ParseOriginKeyList(std::string_view list);

} // namespace dfe::appserver
