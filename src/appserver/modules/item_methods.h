#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// What posting and deleting an item ask of the stored postings (rdmLancNFEntrada): the AF pilot, a return's
// item sequence and returned quantities, the last purchase cost, the items of an AF import, labels and
// audits.
void RegisterItemMethods(MethodRegistry& registry);

} // namespace dfe::appserver
