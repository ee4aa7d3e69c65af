#pragma once

#include "platform/core/variant.h"

#include <string_view>

namespace dfe {

// Orders two stored values of one field: Null first, then numbers by value, text by code point (or ignoring
// letter case), dates by day, false before true. Values of different kinds order by kind, so a sort never
// breaks on mixed data.
int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive = false);

// Text order by code point; with caseInsensitive, "ação" and "AÇÃO" are equal.
int CompareText(std::string_view a, std::string_view b, bool caseInsensitive);

// True when `text` starts with `prefix` (compared as CompareText does).
bool TextStartsWith(std::string_view text, std::string_view prefix, bool caseInsensitive);

} // namespace dfe
