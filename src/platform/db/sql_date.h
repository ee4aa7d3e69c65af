#pragma once

#include "platform/core/date_time.h"

#include <optional>
#include <string>
#include <string_view>

namespace dfe::db {

// Dates travel to the database as ISO text ("2026-07-01", "2026-07-01 14:30:00"), which sorts and compares
// correctly in every backend.
std::string FormatSqlDate(DateTime value);
// Accepts "yyyy-mm-dd" with an optional " hh:mm[:ss[.fff]]" (or 'T' as separator).
std::optional<DateTime> ParseSqlDate(std::string_view text);

} // namespace dfe::db
