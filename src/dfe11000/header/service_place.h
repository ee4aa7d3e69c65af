#pragma once

// What the header's service-location group and the service-location dialog share: the keys their state and
// municipality edits take, and the state and municipality lookups, always of Brazil.

#include "platform/db/tadoib_query.h"

#include <string>

namespace dfe::dfe11000 {

// Letters become upper case; besides them only backspace, tab, Enter, Ctrl+V and "%&'(" pass.
void KeepStateKey(char32_t& key);
// Digits; besides them the same keys as the state's.
void KeepMunicipalityKey(char32_t& key);
// Reopens a state or municipality lookup for Brazil, the state and the municipality its text asks for.
void ReopenPlace(db::TADOIBQuery& query, const std::string& state = {}, const std::string& municipality = {});

} // namespace dfe::dfe11000
