#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// The module's parameters: GetParamDFE (rdmDocFiscEntrada); GetImpFili, GetParamForn, GetParamEmpresa,
// GetParamGeral and GetImpImpo (rdmLancNFEntrada).
void RegisterParameterMethods(MethodRegistry& registry);

// GetParamForn's answer for a supplier code: ["S", supplier parameters, product-rule mode, product rules], or
// ["N", text] for a code that cannot be a supplier's.
Variant SupplierParameterAnswer(db::Database& db, const std::string& supplier);

// Texts of the supplier-parameter answer's element 2: whether the supplier's products follow PRODXFORNDF.
inline constexpr const char* kUsesProdXForn = "UTILIZA PRODXFORNDDF";
inline constexpr const char* kNoProdXForn = "NAO UTILIZA PRODXFORNDDF";

} // namespace dfe::appserver
