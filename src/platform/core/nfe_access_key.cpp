#include "platform/core/nfe_access_key.h"

#include <algorithm>

namespace dfe::nfe {
namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<int> AccessKeyCheckDigit(std::string_view first43) {
    if (first43.size() != kAccessKeyLength - 1 || !AllDigits(first43)) return std::nullopt;
    int sum = 0;
    int weight = 2;
    for (size_t i = first43.size(); i-- > 0;) {
        sum += (first43[i] - '0') * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    const int remainder = sum % 11;
    return remainder < 2 ? 0 : 11 - remainder;
}

bool IsValidAccessKey(std::string_view key) {
    if (key.size() != kAccessKeyLength || !AllDigits(key)) return false;
    return AccessKeyCheckDigit(key.substr(0, kAccessKeyLength - 1)) == key.back() - '0';
}

std::optional<AccessKeyParts> SplitAccessKey(std::string_view key) {
    if (key.size() != kAccessKeyLength || !AllDigits(key)) return std::nullopt;
    auto part = [key](size_t first, size_t count) { return std::string(key.substr(first - 1, count)); };
    return AccessKeyParts{part(1, 2),  part(3, 2),  part(5, 2),  part(7, 14), part(21, 2),
                          part(23, 3), part(26, 9), part(35, 1), part(36, 8), part(44, 1)};
}

} // namespace dfe::nfe
