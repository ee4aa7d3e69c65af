#include "platform/core/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace dfe::decimal {
namespace {

// Digits and exponent of the shortest round-trip form: value = 0.d1d2d3... * 10^exponent.
struct Digits {
    bool negative = false;
    std::string digits; // no leading zeros; empty for zero
    int exponent = 0;
};

Digits Decompose(double value) {
    Digits d;
    if (value == 0.0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.') d.digits += c;
    }
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Integer and fraction digit strings of |value| rounded half-up to `places` decimals.
void RoundedParts(double value, int places, bool& negative, std::string& integer, std::string& fraction) {
    const Digits d = Decompose(value);
    negative = d.negative;
    size_t intDigits = 0;
    std::string all;
    if (d.exponent <= 0) {
        all.assign(static_cast<size_t>(-d.exponent), '0');
        all += d.digits;
    } else {
        all = d.digits;
        intDigits = static_cast<size_t>(d.exponent);
    }
    const size_t kept = intDigits + static_cast<size_t>(places);
    if (all.size() < kept + 1) all.append(kept + 1 - all.size(), '0');
    const bool roundUp = all[kept] >= '5';
    all.resize(kept);
    if (roundUp) {
        size_t i = all.size();
        while (i > 0 && all[i - 1] == '9')
            all[--i] = '0';
        if (i > 0) {
            ++all[i - 1];
        } else {
            all.insert(all.begin(), '1');
            ++intDigits;
        }
    }
    integer = all.substr(0, intDigits);
    fraction = all.substr(intDigits);
    const size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
}

struct Section {
    std::string prefix, suffix;
    int minInt = 0;  // '0's before the decimal point
    int minFrac = 0; // '0's after it
    int maxFrac = 0; // '0's and '#'s after it
    bool thousands = false;
    bool hasDigits = false;
};

Section ParseSection(std::string_view p) {
    Section s;
    bool inFraction = false;
    bool seenDigit = false;
    for (size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '\'' || c == '"') {
            const size_t close = p.find(c, i + 1);
            const std::string_view lit =
                p.substr(i + 1, (close == std::string_view::npos ? p.size() : close) - i - 1);
            (seenDigit ? s.suffix : s.prefix).append(lit);
            i = close == std::string_view::npos ? p.size() : close;
        } else if (c == '0' || c == '#') {
            seenDigit = true;
            s.hasDigits = true;
            if (inFraction) {
                ++s.maxFrac;
                if (c == '0') s.minFrac = s.maxFrac;
            } else if (c == '0') {
                ++s.minInt;
            }
        } else if (c == '.' && !inFraction) {
            inFraction = true;
            seenDigit = true;
        } else if (c == ',' && !inFraction) {
            s.thousands = true;
        } else {
            (seenDigit ? s.suffix : s.prefix) += c;
        }
    }
    return s;
}

// Products of prices and quantities carry binary noise far below this many decimals (1.15 * 3 is
// 3.4499999999999997); cutting it first keeps truncation from losing a cent.
constexpr int kNoiseDigits = 9;

} // namespace

double Round(double value, int digits) {
    if (!std::isfinite(value) || digits < 0 || digits > 15) return value;
    bool negative = false;
    std::string integer, fraction;
    RoundedParts(value, digits, negative, integer, fraction);
    std::string text = (negative ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out;
}

double Truncate(double value, int digits) {
    if (!std::isfinite(value) || digits < 0 || digits > 9) return value;
    bool negative = false;
    std::string integer, fraction;
    RoundedParts(value, kNoiseDigits, negative, integer, fraction);
    fraction.resize(static_cast<size_t>(digits));
    std::string text = (negative ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out;
}

std::string ToShortest(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ToDisplay(double value) {
    std::string s = ToShortest(value);
    for (char& c : s) {
        if (c == '.') c = ',';
    }
    return s;
}

std::optional<double> Parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    std::string clean;
    const bool commaDecimal = text.find(',') != std::string_view::npos;
    int separators = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            clean += c;
        } else if ((c == '-' || c == '+') && i == 0) {
            clean += c;
        } else if (c == ',' || (c == '.' && !commaDecimal)) {
            if (++separators > 1) return std::nullopt;
            clean += '.';
        } else if (c == '.' && commaDecimal) {
            continue; // thousand mark
        } else if ((c == 'e' || c == 'E') && i + 1 < text.size()) {
            clean += 'e';
            if (text[i + 1] == '-' || text[i + 1] == '+') clean += text[++i];
        } else {
            return std::nullopt;
        }
    }
    const char* begin = clean.data();
    if (*begin == '+') ++begin;
    double out = 0;
    const auto result = std::from_chars(begin, clean.data() + clean.size(), out);
    if (result.ec != std::errc() || result.ptr != clean.data() + clean.size()) return std::nullopt;
    return out;
}

std::string Format(std::string_view pattern, double value) {
    if (!std::isfinite(value)) return "";
    const size_t semicolon = pattern.find(';');
    Section section = ParseSection(pattern.substr(0, semicolon));
    bool useNegativeSection = false;
    if (value < 0 && semicolon != std::string_view::npos) {
        section = ParseSection(pattern.substr(semicolon + 1));
        useNegativeSection = true;
    }
    if (!section.hasDigits) return section.prefix + section.suffix;

    bool negative = false;
    std::string integer, fraction;
    RoundedParts(value, section.maxFrac, negative, integer, fraction);
    while (static_cast<int>(fraction.size()) > section.minFrac && !fraction.empty() &&
           fraction.back() == '0') {
        fraction.pop_back();
    }
    if (integer == "0" && section.minInt == 0) integer.clear();
    if (static_cast<int>(integer.size()) < section.minInt) {
        integer.insert(0, static_cast<size_t>(section.minInt) - integer.size(), '0');
    }
    if (section.thousands && integer.size() > 3) {
        std::string grouped;
        const size_t lead = integer.size() % 3;
        for (size_t i = 0; i < integer.size(); ++i) {
            if (i != 0 && (i - lead) % 3 == 0) grouped += '.';
            grouped += integer[i];
        }
        integer = grouped;
    }
    const bool allZero = integer.find_first_not_of("0.") == std::string::npos &&
                         fraction.find_first_not_of('0') == std::string::npos;
    std::string out = section.prefix;
    if (negative && !useNegativeSection && !allZero) out += '-';
    out += integer;
    if (!fraction.empty()) out += ',' + fraction;
    out += section.suffix;
    return out;
}

std::optional<int64_t> ParseScaled(std::string_view text, int digits) {
    if (digits < 0 || digits > 9) return std::nullopt;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (integer.empty() && fraction.empty()) return std::nullopt;
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max() / 10 - 10;
    int64_t value = 0;
    for (char c : integer) {
        if (c < '0' || c > '9' || value > kMax) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    for (int i = 0; i < digits; ++i) {
        const char c = static_cast<size_t>(i) < fraction.size() ? fraction[static_cast<size_t>(i)] : '0';
        if (c < '0' || c > '9' || value > kMax) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    for (size_t i = static_cast<size_t>(digits); i < fraction.size(); ++i) {
        if (fraction[i] < '0' || fraction[i] > '9') return std::nullopt;
    }
    if (fraction.size() > static_cast<size_t>(digits) && fraction[static_cast<size_t>(digits)] >= '5')
        ++value;
    return negative ? -value : value;
}

std::optional<int64_t> Scaled(double value, int digits) {
    if (!std::isfinite(value)) return std::nullopt;
    if (value == 0.0) return 0;
    const Digits d = Decompose(value);
    std::string text = d.negative ? "-" : "";
    if (d.exponent <= 0) {
        text += "0." + std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
    } else if (static_cast<size_t>(d.exponent) >= d.digits.size()) {
        if (d.exponent > 30) return std::nullopt;
        text += d.digits + std::string(static_cast<size_t>(d.exponent) - d.digits.size(), '0');
    } else {
        text += d.digits.substr(0, static_cast<size_t>(d.exponent)) + "." +
                d.digits.substr(static_cast<size_t>(d.exponent));
    }
    return ParseScaled(text, digits);
}

double Unscaled(int64_t scaled, int digits) {
    // Through the decimal text, so the double is the one that reads back as the written amount.
    std::string text = std::to_string(scaled < 0 ? -scaled : scaled);
    if (digits > 0) {
        if (text.size() <= static_cast<size_t>(digits))
            text.insert(0, static_cast<size_t>(digits) + 1 - text.size(), '0');
        text.insert(text.size() - static_cast<size_t>(digits), ".");
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return scaled < 0 ? -value : value;
}

__extension__ typedef __int128 Int128;

int64_t MulDivRound(int64_t a, int64_t b, int64_t divisor) {
    if (divisor == 0) throw std::overflow_error("divisão por zero");
    Int128 product = static_cast<Int128>(a) * b;
    const bool negative = (product < 0) != (divisor < 0);
    if (product < 0) product = -product;
    const Int128 d = divisor < 0 ? -static_cast<Int128>(divisor) : divisor;
    Int128 q = product / d;
    if ((product % d) * 2 >= d) ++q;
    if (q > std::numeric_limits<int64_t>::max()) throw std::overflow_error("valor fora do limite");
    return negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
}

} // namespace dfe::decimal
