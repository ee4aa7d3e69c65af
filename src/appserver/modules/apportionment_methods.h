#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// GetRateioNF(branch, posting): the posting's apportionment over cost centres.
void RegisterApportionmentMethods(MethodRegistry& registry);

} // namespace dfe::appserver
