#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The implantation check (Verif_Liberacao on rdmLancNFEntrada): whether the stock implantation, the last
// posting of the day, was already made for a branch and entry date.
void RegisterImplantationMethods(MethodRegistry& registry);

} // namespace dfe::appserver
