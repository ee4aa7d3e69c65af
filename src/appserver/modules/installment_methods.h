#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// CriaVencimentos: the installment schedule of a posting from the payment condition of its purchase
// authorization or of its supplier.
void RegisterInstallmentMethods(MethodRegistry& registry);

} // namespace dfe::appserver
