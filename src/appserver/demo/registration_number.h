#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe::appserver {

// Check digits of Brazilian registration numbers, for the demo data and its tests.
// CPF: 9 digits + 2 check digits. CNPJ: 12 characters + 2 numeric check digits; since July 2026 the 12 may be
// digits or upper-case letters, each valued by its ASCII code minus 48, with modulus 11 and weights 2..9
// repeating from the right.

// The two check digits for a base, or nothing when the base has the wrong length or characters.
std::optional<std::string> CpfCheckDigits(std::string_view base9);
std::optional<std::string> CnpjCheckDigits(std::string_view base12);

bool IsValidCpf(std::string_view cpf);   // 11 digits, not all the same
bool IsValidCnpj(std::string_view cnpj); // 14 characters, numeric or alphanumeric

} // namespace dfe::appserver
