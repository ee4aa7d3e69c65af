#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe::taxid {

// CPF: 11 digits, the last two check digits (modulus 11). Sequences of one repeated digit are refused: they
// pass the arithmetic but are never issued.
bool IsValidCpf(std::string_view cpf);
// The two check digits of the first nine digits; nothing when the input is not nine digits.
std::optional<std::string> CpfCheckDigits(std::string_view nineDigits);

// CNPJ: 12 characters 0-9 or A-Z followed by two numeric check digits. Since July 2026 the root and the order
// may carry letters; each character is valued by its ASCII code minus 48, which leaves numeric CNPJs
// unchanged. Lower-case letters are refused (the mask upper-cases what the clerk types).
bool IsValidCnpj(std::string_view cnpj);
std::optional<std::string> CnpjCheckDigits(std::string_view twelveChars);

} // namespace dfe::taxid
