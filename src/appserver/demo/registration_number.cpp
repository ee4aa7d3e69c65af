#include "appserver/demo/registration_number.h"

namespace dfe::appserver {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCnpjChar(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z'); }

// Modulus-11 digit: remainder below 2 gives 0, otherwise 11 - remainder.
char Mod11Digit(int sum) {
    const int rest = sum % 11;
    return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

char CpfDigit(std::string_view digits) {
    int sum = 0;
    int weight = static_cast<int>(digits.size()) + 1;
    for (char c : digits) sum += (c - '0') * weight--;
    return Mod11Digit(sum);
}

char CnpjDigit(std::string_view chars) {
    int sum = 0;
    int weight = 2;
    for (size_t i = chars.size(); i-- > 0;) {
        sum += (chars[i] - '0') * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    return Mod11Digit(sum);
}

bool AllSame(std::string_view s) { return s.find_first_not_of(s.front()) == std::string_view::npos; }

} // namespace

std::optional<std::string> CpfCheckDigits(std::string_view base9) {
    if (base9.size() != 9) return std::nullopt;
    for (char c : base9) {
        if (!IsDigit(c)) return std::nullopt;
    }
    std::string digits(base9);
    digits += CpfDigit(digits);
    digits += CpfDigit(digits);
    return digits.substr(9);
}

std::optional<std::string> CnpjCheckDigits(std::string_view base12) {
    if (base12.size() != 12) return std::nullopt;
    for (char c : base12) {
        if (!IsCnpjChar(c)) return std::nullopt;
    }
    std::string chars(base12);
    chars += CnpjDigit(chars);
    chars += CnpjDigit(chars);
    return chars.substr(12);
}

bool IsValidCpf(std::string_view cpf) {
    if (cpf.size() != 11 || AllSame(cpf)) return false;
    const auto digits = CpfCheckDigits(cpf.substr(0, 9));
    return digits && *digits == cpf.substr(9);
}

bool IsValidCnpj(std::string_view cnpj) {
    if (cnpj.size() != 14 || AllSame(cnpj)) return false;
    if (!IsDigit(cnpj[12]) || !IsDigit(cnpj[13])) return false;
    const auto digits = CnpjCheckDigits(cnpj.substr(0, 12));
    return digits && *digits == cnpj.substr(12);
}

} // namespace dfe::appserver
