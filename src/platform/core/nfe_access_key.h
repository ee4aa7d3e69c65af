#pragma once

// The national layout of the NF-e access key: 44 digits, the last one a modulus-11 check digit of the others.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dfe::nfe {

inline constexpr size_t kAccessKeyLength = 44;

// The check digit of the first 43 digits (weights 2 to 9 cycling from the right; remainders 0 and 1 give
// 0); nothing when the text is not 43 digits.
std::optional<int> AccessKeyCheckDigit(std::string_view first43);

// 44 digits whose last one is the check digit of the others.
bool IsValidAccessKey(std::string_view key);

// The parts of a key, as laid out (positions 1-based): state 1-2, year 3-4, month 5-6, issuer 7-20, model
// 21-22, series 23-25, number 26-34, issue type 35, numeric code 36-43, check digit 44.
struct AccessKeyParts {
    std::string state;
    std::string year;
    std::string month;
    std::string issuer;
    std::string model;
    std::string series;
    std::string number;
    std::string issueType;
    std::string numericCode;
    std::string checkDigit;
};
// Nothing unless the key is 44 digits (the check digit is not verified here).
std::optional<AccessKeyParts> SplitAccessKey(std::string_view key);

} // namespace dfe::nfe
