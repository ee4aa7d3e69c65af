#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The origin documents of complements, returns and remittance returns: the searches GetNFOrigem,
// GetNFOrigSaid, GetNFOrigLista, the remittance's counterpart GetDevolucao, and AtualizaQtdDevol, which
// recomputes what the returns brought back of their origins.
void RegisterOriginMethods(MethodRegistry& registry);

} // namespace dfe::appserver
