#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The access key checks (rdmLancNFEntrada): the other postings holding a key (getVdCAcesso), the recipient's
// manifestation on it (GetManifestacao) and the checks against the stored NF-e XML (Vd_DataEmissXML,
// GetVd_CFOPXML_TIPOOPER).
void RegisterAccessKeyMethods(MethodRegistry& registry);

} // namespace dfe::appserver
