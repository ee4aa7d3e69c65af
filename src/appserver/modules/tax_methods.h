#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The item taxes of rdmLancNFEntrada: GetProxCodProd (a posting's work code), GetImpoItem (an item's taxes
// from the rule tables, and the document totals kept the sum of the items under the work code) and GetContAF
// (the purchase authorizations a posting relates to).
void RegisterTaxMethods(MethodRegistry& registry);

} // namespace dfe::appserver
