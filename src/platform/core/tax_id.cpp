#include "platform/core/tax_id.h"

namespace dfe::taxid {
namespace {

bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool AllSame(std::string_view s) {
    return s.find_first_not_of(s.front()) == std::string_view::npos;
}

char Mod11Digit(int sum) {
    const int rest = sum % 11;
    return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

int CnpjValue(char c) {
    return c - '0';
} // '0'..'9' → 0..9, 'A'..'Z' → 17..42

bool IsCnpjBodyChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::optional<std::string> CpfCheckDigits(std::string_view nine) {
    if (nine.size() != 9 || !AllDigits(nine)) return std::nullopt;
    std::string digits(nine);
    for (int round = 0; round < 2; ++round) {
        int sum = 0;
        const int weightStart = static_cast<int>(digits.size()) + 1;
        for (size_t i = 0; i < digits.size(); ++i)
            sum += (digits[i] - '0') * (weightStart - static_cast<int>(i));
        digits += Mod11Digit(sum);
    }
    return digits.substr(9);
}

bool IsValidCpf(std::string_view cpf) {
    if (cpf.size() != 11 || !AllDigits(cpf) || AllSame(cpf)) return false;
    const auto check = CpfCheckDigits(cpf.substr(0, 9));
    return check && *check == cpf.substr(9);
}

std::optional<std::string> CnpjCheckDigits(std::string_view twelve) {
    if (twelve.size() != 12) return std::nullopt;
    for (char c : twelve) {
        if (!IsCnpjBodyChar(c)) return std::nullopt;
    }
    std::string chars(twelve);
    for (int round = 0; round < 2; ++round) {
        // Weights 2..9 from the right, starting over after 9.
        int sum = 0;
        int weight = 2;
        for (size_t i = chars.size(); i-- > 0;) {
            sum += CnpjValue(chars[i]) * weight;
            weight = weight == 9 ? 2 : weight + 1;
        }
        chars += Mod11Digit(sum);
    }
    return chars.substr(12);
}

bool IsValidCnpj(std::string_view cnpj) {
    if (cnpj.size() != 14 || !AllDigits(cnpj.substr(12))) return false;
    if (AllDigits(cnpj) && AllSame(cnpj)) return false;
    const auto check = CnpjCheckDigits(cnpj.substr(0, 12));
    return check && *check == cnpj.substr(12);
}

} // namespace dfe::taxid
