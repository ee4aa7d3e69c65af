#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// Every remote data module of the server; each group of methods registers itself here.
void RegisterAllMethods(MethodRegistry& registry);

} // namespace dfe::appserver
