#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The stock module's lots, as the placement of an item asks for them (rdmEstoque): whether a product is kept
// by lot at a branch (Produto_Ctrl_Lote) and its lots there (GetLotesEstoque).
void RegisterStockLotMethods(MethodRegistry& registry);

} // namespace dfe::appserver
