#pragma once

#include "platform/db/database.h"

#include <string>
#include <string_view>
#include <vector>

namespace dfe::appserver {

// The codes of a list the client sends as text ("1,2,U", "'01';'03'"): separated by commas or semicolons,
// quotes and blanks around each code removed, empty codes dropped.
std::vector<std::string> ParseCodeList(std::string_view text);

// An IN list of bound parameters for the codes: "(:P_L0, :P_L1)" with the values added to `params` under
// names built from `prefix`. The codes never become SQL text. Needs at least one code.
std::string BindCodeList(std::string_view prefix, const std::vector<std::string>& codes,
                         db::SqlParams& params);

} // namespace dfe::appserver
