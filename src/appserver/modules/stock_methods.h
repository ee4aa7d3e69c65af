#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The stock module's checks the posting screen needs: ValidaInventario (rdmEstoque).
void RegisterStockMethods(MethodRegistry& registry);

} // namespace dfe::appserver
