#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// What a billing of deliveries or a regularization of entries without invoice names (rdmLancNFEntrada):
// the candidates (GetItemNF), whether a named posting has payables of its own (GetValidCntPagar) and
// exists at all (GetValidItNF); and the branch's lot, warehouse and location defaults (GetVdLote).
void RegisterRelatedDocumentMethods(MethodRegistry& registry);

} // namespace dfe::appserver
