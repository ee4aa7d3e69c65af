#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dfe::decimal {

// Rounds half away from zero on the value as it is written in decimal, so 0.575 to two places is 0.58
// although the nearest double is 0.57499999...
double Round(double value, int digits);

// Cuts to `digits` decimals towards zero, on the value as it is written in decimal: 1.15 * 3 to two places
// is 3.45, although the nearest double of the product is 3.4499999999999997.
double Truncate(double value, int digits);

// The shortest decimal text that reads back as the same double, with '.' as separator ("0.1", "-3", "1e+20").
std::string ToShortest(double value);

// Reads a number typed by a clerk or stored as text: optional sign, digits, one decimal separator ('.' or
// ','), and, when ',' is the separator, '.' thousand marks ("1.234,56"). Surrounding spaces are ignored.
std::optional<double> Parse(std::string_view text);

// Fixed-point amounts: a value times 10^digits as an integer (cents with 2, ten-thousandths with 4), so sums
// and products never pass through binary floating point. Digits past `digits` round half away from zero.
// Reads the decimal text as written ("18.0000", "-1.655", "3"); nothing for anything else or out of range.
std::optional<int64_t> ParseScaled(std::string_view text, int digits);
// The same for a double, read in its shortest decimal form (0.575 is 0.575, not 0.57499999...).
std::optional<int64_t> Scaled(double value, int digits);
// The double nearest to scaled / 10^digits, for the wire and the packets.
double Unscaled(int64_t scaled, int digits);
// a * b / divisor rounded half away from zero, exactly (128-bit intermediate). Throws std::overflow_error
// when the result does not fit; divisor must not be 0.
int64_t MulDivRound(int64_t a, int64_t b, int64_t divisor);

// Number display formats: '0' digit, '#' optional digit, '.' decimal point, ',' thousands marker anywhere in
// the integer part, a ';' second section for negatives, '...' or "..." literals; other characters are copied.
// Output uses the Brazilian separators: decimal ',' and thousands '.'.
std::string Format(std::string_view pattern, double value);

// Plain text of a float as the clerk sees it: shortest digits, Brazilian decimal comma ("1,5", "-0,25").
std::string ToDisplay(double value);

} // namespace dfe::decimal
