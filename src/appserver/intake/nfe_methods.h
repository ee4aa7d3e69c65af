#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// What the administrator sees of the received NF-e documents, on "Dfe11000.rdmLancNFEntrada":
// ListaNFeRecebidas(branch: empty for all) lists them; GetNFeRecebida(key) shows one, as the array
// [header, items, taxes, lots, charges, installments, payments, volumes] of packets.
void RegisterNfeIntakeMethods(MethodRegistry& registry);

} // namespace dfe::appserver
