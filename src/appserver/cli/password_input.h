#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace dfe::appserver {

// A new password for `dfe-server release-password`, one line of `in` (its line break and a carriage return
// before it dropped). With `confirm` (a terminal) it is asked on `prompts`, twice, and both must agree.
// Throws std::runtime_error for no line, an empty password or two that differ.
std::string ReadNewPassword(std::istream& in, std::ostream& prompts, bool confirm);

} // namespace dfe::appserver
