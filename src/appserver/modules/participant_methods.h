#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The lookups the header's participant rules ask of the server (rdmLancNFEntrada): GetModDoc, GetQualifForn
// and VerifFornEDI.
void RegisterParticipantMethods(MethodRegistry& registry);

} // namespace dfe::appserver
