#include "platform/db/sql_date.h"

#include <charconv>
#include <cstdio>

namespace dfe::db {
namespace {

bool ReadInt(std::string_view s, size_t pos, size_t len, int& out) {
    if (pos + len > s.size()) return false;
    const char* begin = s.data() + pos;
    const auto [end, ec] = std::from_chars(begin, begin + len, out);
    return ec == std::errc() && end == begin + len;
}

} // namespace

std::string FormatSqlDate(DateTime value) {
    const CivilDate d = value.Date();
    const CivilTime t = value.Time();
    char buf[32];
    if (value.TimePart() == 0.0) {
        std::snprintf(buf, sizeof(buf), "%04d-%02d-%02d", d.year, d.month, d.day);
    } else {
        std::snprintf(buf, sizeof(buf), "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, t.hour,
                      t.minute, t.second);
    }
    return buf;
}

std::optional<DateTime> ParseSqlDate(std::string_view s) {
    int y = 0, mo = 0, d = 0;
    if (s.size() < 10 || s[4] != '-' || s[7] != '-' || !ReadInt(s, 0, 4, y) || !ReadInt(s, 5, 2, mo) ||
        !ReadInt(s, 8, 2, d) || !IsValidCivilDate(y, mo, d)) {
        return std::nullopt;
    }
    if (s.size() == 10) return DateTime::FromDate(y, mo, d);
    int h = 0, mi = 0, sec = 0, ms = 0;
    if ((s[10] != ' ' && s[10] != 'T') || !ReadInt(s, 11, 2, h) || s.size() < 16 || s[13] != ':' ||
        !ReadInt(s, 14, 2, mi)) {
        return std::nullopt;
    }
    if (s.size() >= 19) {
        if (s[16] != ':' || !ReadInt(s, 17, 2, sec)) return std::nullopt;
        if (s.size() >= 23 && s[19] == '.') ReadInt(s, 20, 3, ms);
    }
    if (h > 23 || mi > 59 || sec > 59) return std::nullopt;
    return DateTime::FromDateTime(y, mo, d, h, mi, sec, ms);
}

} // namespace dfe::db
