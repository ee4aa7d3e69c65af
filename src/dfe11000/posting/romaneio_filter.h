#pragma once

#include "platform/net/posting_calls.h"

namespace dfe::dfe11000 {

// What the filter dialog asks the list of postings for: the arguments of GetRomaneioNF, in the server's
// order. Empty strings and empty dates mean "no restriction" as the server reads them.
using RomaneioFilter = net::GetRomaneioNFArgs;

} // namespace dfe::dfe11000
