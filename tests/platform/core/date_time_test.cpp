#include "platform/core/date_time.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

TEST(DateTime, CivilDatesMapToTheirDayNumbers) {
    struct Case {
        int y, m, d;
        double days;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},   {1900, 1, 1, 2},    {1900, 3, 1, 61},
        {2000, 2, 29, 36585}, {2026, 7, 1, 46204}, {1899, 12, 29, -1},
    };
    for (const Case& c : cases) {
        const DateTime dt = DateTime::FromDate(c.y, c.m, c.d);
        EXPECT_EQ(dt.Days(), c.days) << c.y << "-" << c.m << "-" << c.d;
        const CivilDate back = dt.Date();
        EXPECT_EQ(back.year, c.y);
        EXPECT_EQ(back.month, c.m);
        EXPECT_EQ(back.day, c.d);
    }
}

TEST(DateTime, ZeroIsTheEmptyDate) {
    EXPECT_TRUE(DateTime().IsEmpty());
    EXPECT_FALSE(DateTime::FromDate(2026, 1, 1).IsEmpty());
}

TEST(DateTime, TimePartSurvivesRoundTripAndDatePartDropsIt) {
    const DateTime dt = DateTime::FromDateTime(2026, 12, 10, 23, 59, 59, 999);
    const CivilTime t = dt.Time();
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.millisecond, 999);
    EXPECT_EQ(dt.DatePart(), DateTime::FromDate(2026, 12, 10));
    EXPECT_EQ(dt.WholeDays(), DateTime::FromDate(2026, 12, 10).WholeDays());
}

TEST(DateTime, AddingDaysCrossesMonthsAndLeapYears) {
    EXPECT_EQ(DateTime::FromDate(2024, 2, 28).AddDays(1), DateTime::FromDate(2024, 2, 29));
    EXPECT_EQ(DateTime::FromDate(2023, 2, 28).AddDays(1), DateTime::FromDate(2023, 3, 1));
    EXPECT_EQ(DateTime::FromDate(2026, 12, 31).AddDays(1), DateTime::FromDate(2027, 1, 1));
    EXPECT_EQ(DateTime::FromDate(2026, 3, 1).AddDays(-1), DateTime::FromDate(2026, 2, 28));
}

TEST(DateTime, FormatsThePatternsTheScreensPrint) {
    const DateTime dt = DateTime::FromDateTime(2026, 3, 7, 8, 5, 9);
    struct Case {
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {"DD/MM/YY", "07/03/26"},   {"dd/mm/yyyy", "07/03/2026"},
        {"hh:nn:ss", "08:05:09"},   {"dd/mm/yyyy hh:nn", "07/03/2026 08:05"},
        {"d/m/yyyy", "7/3/2026"},   {"yyyymmdd", "20260307"},
        {"'Data: 'dd", "Data: 07"}, {"ddd ddddd hh:nn:ss", "sáb 07/03/2026 08:05:09"},
        {"dddd", "sábado"},         {"DDD", "sáb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dt.Format(c.pattern), c.expected) << c.pattern;
}

TEST(DateTime, NamesEachDayOfTheWeek) {
    const char* names[] = {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
    // 2026-12-06 is a Sunday.
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(DateTime::FromDate(2026, 12, 6 + i).Format("ddd"), names[i]) << i;
    EXPECT_EQ(DateTime::FromDate(2026, 12, 10).Format("dddd, d"), "quinta-feira, 10");
}

TEST(DateTime, ParsesTypedDatesAndRefusesImpossibleOnes) {
    struct Case {
        const char* text;
        bool valid;
        DateTime expected;
    };
    const Case cases[] = {
        {"07/03/2026", true, DateTime::FromDate(2026, 3, 7)},
        {"7/3/26", true, DateTime::FromDate(2026, 3, 7)},
        {"01/01/49", true, DateTime::FromDate(2049, 1, 1)},
        {"01/01/50", true, DateTime::FromDate(1950, 1, 1)},
        {"29/02/2024", true, DateTime::FromDate(2024, 2, 29)},
        {" 10/12/2026 13:45 ", true, DateTime::FromDateTime(2026, 12, 10, 13, 45, 0)},
        {"10/12/2026 13:45:30", true, DateTime::FromDateTime(2026, 12, 10, 13, 45, 30)},
        {"29/02/2023", false, {}},
        {"31/04/2026", false, {}},
        {"00/01/2026", false, {}},
        {"10/13/2026", false, {}},
        {"10/12/202", false, {}},
        {"10-12-2026", false, {}},
        {"  /  /    ", false, {}},
        {"", false, {}},
        {"10/12/2026 25:00", false, {}},
        {"10/12/2026x", false, {}},
    };
    for (const Case& c : cases) {
        const auto parsed = DateTime::Parse(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
        if (parsed && c.valid) {
            EXPECT_EQ(*parsed, c.expected) << c.text;
        }
    }
}

TEST(DateTime, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(DateTime::FromDate(2026, 12, 6).DayOfWeek(), 1);  // Sunday
    EXPECT_EQ(DateTime::FromDate(2026, 12, 10).DayOfWeek(), 5); // Thursday
    EXPECT_EQ(DateTime::FromDate(1899, 12, 30).DayOfWeek(), 7); // Saturday
}

TEST(DateTime, NonFiniteValuesReadAsEmptyInsteadOfCrashing) {
    const DateTime bad(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(bad.WholeDays(), 0);
    EXPECT_EQ(bad.Format("dd/mm/yyyy"), "30/12/1899");
}

} // namespace
} // namespace dfe
