#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// FechaNotaFiscal, the closing of a posting, and the calls the client makes after it: GeraArqExp,
// GeraBaixaTotal, GetOcorrAtend, AprovaNotaFiscal and GetVersaoAna.
void RegisterClosingMethods(MethodRegistry& registry);

} // namespace dfe::appserver
