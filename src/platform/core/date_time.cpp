#include "platform/core/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace dfe {
namespace {

constexpr int64_t kMillisPerDay = 86'400'000;
// 1970-01-01 is day 25569 of this calendar.
constexpr int64_t kUnixEpochDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Splits into whole day and milliseconds of the day; the time of a negative value counts forward from
// midnight, as the calendar this type follows does.
void Split(double days, int64_t& day, int64_t& millis) {
    if (!std::isfinite(days)) {
        day = 0;
        millis = 0;
        return;
    }
    const double whole = std::trunc(days);
    day = static_cast<int64_t>(whole);
    millis = std::llround(std::fabs(days - whole) * static_cast<double>(kMillisPerDay));
    if (millis >= kMillisPerDay) {
        day += days < 0 ? -1 : 1;
        millis -= kMillisPerDay;
    }
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

void AppendPadded(std::string& out, int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view token) {
    if (text.size() - pos < token.size()) return false;
    for (size_t i = 0; i < token.size(); ++i) {
        char c = text[pos + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != token[i]) return false;
    }
    return true;
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

bool IsValidCivilDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

DateTime DateTime::FromDate(int year, int month, int day) {
    return DateTime(static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kUnixEpochDay));
}

DateTime DateTime::FromDateTime(int year, int month, int day, int hour, int minute, int second,
                                int millisecond) {
    const double time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) /
                        static_cast<double>(kMillisPerDay);
    return DateTime(FromDate(year, month, day).Days() + time);
}

DateTime DateTime::Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return FromDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec, static_cast<int>(millis));
}

DateTime DateTime::Today() {
    return Now().DatePart();
}

std::optional<DateTime> DateTime::Parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    size_t pos = 0;
    int day = 0, month = 0, year = 0, digits = 0;
    if (!ReadNumber(text, pos, 2, day, digits) || pos >= text.size() || text[pos++] != '/')
        return std::nullopt;
    if (!ReadNumber(text, pos, 2, month, digits) || pos >= text.size() || text[pos++] != '/')
        return std::nullopt;
    if (!ReadNumber(text, pos, 4, year, digits) || (digits != 2 && digits != 4)) return std::nullopt;
    if (digits == 2) year += year < 50 ? 2000 : 1900;
    if (!IsValidCivilDate(year, month, day)) return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    if (pos < text.size()) {
        if (text[pos++] != ' ') return std::nullopt;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        if (!ReadNumber(text, pos, 2, hour, digits) || pos >= text.size() || text[pos++] != ':')
            return std::nullopt;
        if (!ReadNumber(text, pos, 2, minute, digits)) return std::nullopt;
        if (pos < text.size()) {
            if (text[pos++] != ':' || !ReadNumber(text, pos, 2, second, digits)) return std::nullopt;
        }
        if (pos != text.size() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    }
    return FromDateTime(year, month, day, hour, minute, second);
}

DateTime DateTime::DatePart() const {
    int64_t day = 0, millis = 0;
    Split(days_, day, millis);
    return DateTime(static_cast<double>(day));
}

double DateTime::TimePart() const {
    int64_t day = 0, millis = 0;
    Split(days_, day, millis);
    return static_cast<double>(millis) / static_cast<double>(kMillisPerDay);
}

int64_t DateTime::WholeDays() const {
    int64_t day = 0, millis = 0;
    Split(days_, day, millis);
    return day;
}

CivilDate DateTime::Date() const {
    return CivilFromDays(WholeDays() - kUnixEpochDay);
}

CivilTime DateTime::Time() const {
    int64_t day = 0, millis = 0;
    Split(days_, day, millis);
    CivilTime t;
    t.millisecond = static_cast<int>(millis % 1000);
    millis /= 1000;
    t.second = static_cast<int>(millis % 60);
    millis /= 60;
    t.minute = static_cast<int>(millis % 60);
    t.hour = static_cast<int>(millis / 60);
    return t;
}

int DateTime::DayOfWeek() const {
    // Day 1 (1899-12-31) was a Sunday.
    const int64_t r = ((WholeDays() - 1) % 7 + 7) % 7;
    return static_cast<int>(r) + 1;
}

namespace {

// The Brazilian names of the week's days, Sunday first.
constexpr const char* kShortDayNames[] = {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
constexpr const char* kLongDayNames[] = {"domingo",      "segunda-feira", "terça-feira", "quarta-feira",
                                         "quinta-feira", "sexta-feira",   "sábado"};

} // namespace

std::string DateTime::Format(std::string_view pattern) const {
    const CivilDate d = Date();
    const CivilTime t = Time();
    std::string out;
    out.reserve(pattern.size() + 4);
    size_t pos = 0;
    while (pos < pattern.size()) {
        if (pattern[pos] == '\'' || pattern[pos] == '"') {
            const size_t close = pattern.find(pattern[pos], pos + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(pos + 1, end - pos - 1));
            pos = end + 1;
            continue;
        }
        // Day names and the short date, longest first so that "ddd" is not read as "dd" and "d".
        if (StartsWithNoCase(pattern, pos, "ddddd")) {
            out += Format("dd/mm/yyyy");
            pos += 5;
            continue;
        }
        if (StartsWithNoCase(pattern, pos, "dddd")) {
            out += kLongDayNames[DayOfWeek() - 1];
            pos += 4;
            continue;
        }
        if (StartsWithNoCase(pattern, pos, "ddd")) {
            out += kShortDayNames[DayOfWeek() - 1];
            pos += 3;
            continue;
        }
        struct Token {
            std::string_view text;
            int value;
            int width;
        };
        const Token tokens[] = {
            {"yyyy", d.year, 4},       {"yy", d.year % 100, 2}, {"mm", d.month, 2},  {"m", d.month, 1},
            {"dd", d.day, 2},          {"d", d.day, 1},         {"hh", t.hour, 2},   {"h", t.hour, 1},
            {"nn", t.minute, 2},       {"n", t.minute, 1},      {"ss", t.second, 2}, {"s", t.second, 1},
            {"zzz", t.millisecond, 3},
        };
        bool matched = false;
        for (const Token& token : tokens) {
            if (StartsWithNoCase(pattern, pos, token.text)) {
                AppendPadded(out, token.value, token.width);
                pos += token.text.size();
                matched = true;
                break;
            }
        }
        if (!matched) out += pattern[pos++];
    }
    return out;
}

} // namespace dfe
