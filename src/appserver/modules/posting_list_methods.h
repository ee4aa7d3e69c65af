#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The list of a branch's incoming postings, GetRomaneioNF (rdmLancNFEntrada), filtered as the filter dialog
// asks.
void RegisterPostingListMethods(MethodRegistry& registry);

} // namespace dfe::appserver
