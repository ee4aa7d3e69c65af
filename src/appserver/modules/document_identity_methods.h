#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The document identity checks of the header (rdmLancNFEntrada): the models an operation type allows
// (GetModFiscEle, GetModDocFis) and whether a document number was already received (GetNrForn, GetNrClie,
// GetNrFilial).
void RegisterDocumentIdentityMethods(MethodRegistry& registry);

} // namespace dfe::appserver
