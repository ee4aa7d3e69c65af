#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dfe {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

struct CivilTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// A date and time counted in days since 1899-12-30, the fraction being the time of day. The value 0 stands
// for "no date": date arithmetic in the rules (whole days, adding days, comparing) works on this number.
class DateTime {
public:
    constexpr DateTime() = default;
    constexpr explicit DateTime(double days) : days_(days) {}

    static DateTime FromDate(int year, int month, int day);
    static DateTime FromDateTime(int year, int month, int day, int hour, int minute, int second,
                                 int millisecond = 0);
    static DateTime Now();
    static DateTime Today();

    // Parses "dd/mm/yyyy", "dd/mm/yy" (years below 50 are 20xx) and an optional " hh:nn[:ss]".
    // Returns nothing for text that is not a real calendar date.
    static std::optional<DateTime> Parse(std::string_view text);

    constexpr double Days() const { return days_; }
    constexpr bool IsEmpty() const { return days_ == 0.0; }
    DateTime DatePart() const;
    double TimePart() const;
    DateTime AddDays(double days) const { return DateTime(days_ + days); }
    int64_t WholeDays() const;

    CivilDate Date() const;
    CivilTime Time() const;
    int DayOfWeek() const; // 1 = Sunday ... 7 = Saturday

    // Tokens, case-insensitive: yyyy yy mm m dd d hh h nn n ss s zzz, ddd and dddd the day's short and long
    // Brazilian name ("qui", "quinta-feira"), ddddd the short date (dd/mm/yyyy); text in quotes and anything
    // else is copied.
    std::string Format(std::string_view pattern) const;

    friend constexpr bool operator==(DateTime a, DateTime b) { return a.days_ == b.days_; }
    friend constexpr auto operator<=>(DateTime a, DateTime b) { return a.days_ <=> b.days_; }

private:
    double days_ = 0.0;
};

bool IsValidCivilDate(int year, int month, int day);
int DaysInMonth(int year, int month);

} // namespace dfe
