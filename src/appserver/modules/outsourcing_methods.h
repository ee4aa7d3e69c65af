#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The outsourcing stock entry (rdmGeraMovEstTerc): the goods a supplier returns processed enter stock under
// the posting of its processing invoice (GeraEntradaEstoque).
void RegisterOutsourcingMethods(MethodRegistry& registry);

} // namespace dfe::appserver
