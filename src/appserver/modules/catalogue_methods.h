#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The product catalogue of the branches as the item rules ask it: lot control, the lots of NF-e items, the
// products of a service code and the branch's fiscal control (rdmLancNFEntrada); the default placement,
// stock control and the branch's use of warehouses and locations (rdmEstoque).
void RegisterCatalogueMethods(MethodRegistry& registry);

} // namespace dfe::appserver
