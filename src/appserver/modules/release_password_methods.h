#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The release of a posting by an entitled operator's password (ConfSenhaLiberacao on rdmAutoriza).
void RegisterReleasePasswordMethods(MethodRegistry& registry);

} // namespace dfe::appserver
