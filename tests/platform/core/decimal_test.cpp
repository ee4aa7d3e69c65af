#include "platform/core/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace dfe::decimal {
namespace {

TEST(Decimal, RoundsHalfAwayFromZeroOnTheWrittenValue) {
    struct Case {
        double value;
        int digits;
        double expected;
    };
    const Case cases[] = {
        {0.575, 2, 0.58},
        {1.005, 2, 1.01},
        {2.675, 2, 2.68},
        {-0.575, 2, -0.58},
        {0.574999, 2, 0.57},
        {1234.5, 0, 1235},
        {-2.5, 0, -3},
        {0.0005, 3, 0.001},
        {9.995, 2, 10.0},
        {0.0, 2, 0.0},
        {1e-9, 2, 0.0},
        {123.4567, 3, 123.457},
        {99999999.995, 2, 100000000.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Round(c.value, c.digits), c.expected) << c.value << " to " << c.digits;
}

TEST(Decimal, TruncatesTheWrittenValueNotItsBinaryNeighbour) {
    struct Case {
        double value;
        int digits;
        double expected;
    };
    const Case cases[] = {
        {3 * 0.333, 2, 0.99},
        {0.57 * 1, 2, 0.57},
        {1.15 * 3, 2, 3.45},
        {4.35 * 1, 2, 4.35},
        {4.35 * 100 / 100, 2, 4.35},
        {-1.239, 2, -1.23},
        {0.0, 2, 0.0},
        {12.3456, 3, 12.345},
        {1e-12, 2, 0.0},
        {999999.999, 2, 999999.99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Truncate(c.value, c.digits), c.expected) << c.value << " to " << c.digits;
}

TEST(Decimal, ParsesBothSeparatorsAndRefusesGarbage) {
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {"1,5", true, 1.5}, {"1.5", true, 1.5},  {"1.234,56", true, 1234.56}, {"-0,25", true, -0.25},
        {" 42 ", true, 42}, {"+3", true, 3},     {"1e3", true, 1000},         {"", false, 0},
        {"abc", false, 0},  {"1,2,3", false, 0}, {"1.2.3", false, 0},         {"--1", false, 0},
        {"12a", false, 0},  {",", false, 0},
    };
    for (const Case& c : cases) {
        const auto v = Parse(c.text);
        EXPECT_EQ(v.has_value(), c.valid) << c.text;
        if (v && c.valid) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        }
    }
}

TEST(Decimal, FormatsDisplayFormatsWithBrazilianSeparators) {
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"#,##0.00", 1234567.891, "1.234.567,89"},
        {"#,##0.00", 0.575, "0,58"},
        {"#,##0.00", -1234.5, "-1.234,50"},
        {"#,##0.00", 0, "0,00"},
        {"###0.00", 1234.5, "1234,50"},
        {"###0.00%", 12.345, "12,35%"},
        {"#####0.000", 3.14159, "3,142"},
        {"#,##0.000", 1000, "1.000,000"},
        {"0.##", 2.5, "2,5"},
        {"0.##", 2, "2"},
        {"#.##", 0.5, ",5"},
        {"#,##0.00;(#,##0.00)", -5, "(5,00)"},
        {"'R$ '#,##0.00", 10, "R$ 10,00"},
        {"#,##0.00", -0.001, "0,00"},
        {"000", 7, "007"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.pattern, c.value), c.expected) << c.pattern << " " << c.value;
}

TEST(Decimal, ShortestTextRoundTrips) {
    EXPECT_EQ(ToShortest(0.1), "0.1");
    EXPECT_EQ(ToShortest(-3.0), "-3");
    EXPECT_EQ(ToDisplay(1.5), "1,5");
    EXPECT_EQ(Format("#,##0.00", std::nan("")), "");
}

TEST(Decimal, ScaledAmountsReadTheWrittenValueAndRoundHalfAwayFromZero) {
    struct Case {
        const char* text;
        int digits;
        std::optional<int64_t> expected;
    };
    const Case texts[] = {
        {"18.0000", 4, 180000},
        {"1.65", 4, 16500},
        {"-1.655", 2, -166},
        {"3", 2, 300},
        {".5", 0, 1},
        {"0.004", 2, 0},
        {"0.005", 2, 1},
        {" 12.5 ", 1, 125},
        {"1e3", 2, {}},
        {"", 2, {}},
        {"-", 2, {}},
        {"1.2.3", 2, {}},
        {"99999999999999999999", 2, {}},
    };
    for (const auto& c : texts)
        EXPECT_EQ(ParseScaled(c.text, c.digits), c.expected) << c.text;

    EXPECT_EQ(Scaled(0.575, 2), 58);
    EXPECT_EQ(Scaled(1.15 * 3, 2), 345); // 3.4499999999999997 is written 3.45 only after rounding
    EXPECT_EQ(Scaled(-2.675, 2), -268);
    EXPECT_EQ(Scaled(1e-7, 4), 0);
    EXPECT_EQ(Scaled(2500000, 2), 250000000);
    EXPECT_EQ(Scaled(std::nan(""), 2), std::nullopt);
    EXPECT_EQ(Unscaled(3334, 2), 33.34);
    EXPECT_EQ(Unscaled(-5, 2), -0.05);
    EXPECT_EQ(Unscaled(165, 4), 0.0165);
}

TEST(Decimal, MulDivRoundsHalfAwayFromZeroExactly) {
    EXPECT_EQ(MulDivRound(310000, 180000, 1000000), 55800); // 3100.00 at 18%
    EXPECT_EQ(MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRound(4, 1, 3), 1);
    EXPECT_EQ(MulDivRound(1, 1, -2), -1);
    EXPECT_EQ(MulDivRound(INT64_MAX, 2, 2), INT64_MAX); // the product passes 64 bits on the way
    EXPECT_THROW(MulDivRound(INT64_MAX, 4, 2), std::overflow_error);
    EXPECT_THROW(MulDivRound(1, 1, 0), std::overflow_error);
}

} // namespace
} // namespace dfe::decimal
