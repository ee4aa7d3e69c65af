#include "support/lib02800.h"

#include "support/show_msg.h"

#include <algorithm>

namespace dfe::support::lib02800 {
namespace {

constexpr size_t kBarCodeLength = 44;

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Weights 2, 1, 2... from the right; a two-digit product counts its digits.
int Modulo10(std::string_view digits) {
    int sum = 0;
    int weight = 2;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        const int product = (*it - '0') * weight;
        sum += product / 10 + product % 10;
        weight = weight == 2 ? 1 : 2;
    }
    return (10 - sum % 10) % 10;
}

// Weights 2 to 9 from the right, cycling; the remainder of the sum by 11.
int Remainder11(std::string_view digits) {
    int sum = 0;
    int weight = 2;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    return sum % 11;
}

// A bank slip's general digit: 11 minus the remainder, and 1 where that gives 0, 10 or 11.
int BankDigit(std::string_view digits) {
    const int digit = 11 - Remainder11(digits);
    return digit == 0 || digit == 10 || digit == 11 ? 1 : digit;
}

bool IsCollection(std::string_view code) {
    return code.front() == '8';
}

// A collection slip's third digit names the rule of all its digits: 6 or 7 modulo 10, 8 or 9 modulo 11.
bool CollectionByModulo10(std::string_view code) {
    return code[2] == '6' || code[2] == '7';
}

int CollectionDigit(std::string_view code, std::string_view digits) {
    if (CollectionByModulo10(code)) return Modulo10(digits);
    const int remainder = Remainder11(digits);
    return remainder == 0 || remainder == 1 ? 0 : 11 - remainder;
}

char Digit(int value) {
    return static_cast<char>('0' + value);
}

} // namespace

std::string BarCodeFault(std::string_view code) {
    if (code.size() != kBarCodeLength || !AllDigits(code))
        return "Código de barras inválido: deve ter 44 dígitos.";
    std::string withoutDigit;
    if (IsCollection(code)) {
        if (code[2] < '6' || code[2] > '9')
            return "Código de barras inválido: identificação do valor desconhecida.";
        withoutDigit = std::string(code.substr(0, 3)) + std::string(code.substr(4));
        if (Digit(CollectionDigit(code, withoutDigit)) != code[3])
            return "Código de barras inválido: dígito verificador não confere.";
        return {};
    }
    withoutDigit = std::string(code.substr(0, 4)) + std::string(code.substr(5));
    if (Digit(BankDigit(withoutDigit)) != code[4])
        return "Código de barras inválido: dígito verificador não confere.";
    return {};
}

void Vd_CodigoBarras(std::string_view code) {
    const std::string fault = BarCodeFault(code);
    if (fault.empty()) return;
    MensErro(fault, true);
}

std::string TransformaBarraLinhaDigi(std::string_view code) {
    if (!BarCodeFault(code).empty()) return {};
    if (IsCollection(code)) {
        std::string line;
        for (size_t block = 0; block < 4; ++block) {
            const std::string_view part = code.substr(block * 11, 11);
            if (block > 0) line += ' ';
            line += std::string(part) + '-' + Digit(CollectionDigit(code, part));
        }
        return line;
    }
    const std::string first = std::string(code.substr(0, 4)) + std::string(code.substr(19, 5));
    const std::string_view second = code.substr(24, 10);
    const std::string_view third = code.substr(34, 10);
    const auto field = [](std::string_view digits, size_t split) {
        const std::string checked = std::string(digits) + Digit(Modulo10(digits));
        return checked.substr(0, split) + '.' + checked.substr(split);
    };
    return field(first, 5) + ' ' + field(second, 5) + ' ' + field(third, 5) + ' ' + code[4] + ' ' +
           std::string(code.substr(5, 14));
}

} // namespace dfe::support::lib02800
