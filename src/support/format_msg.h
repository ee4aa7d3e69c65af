#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dfe::support {

// A message text with each "%s" replaced, in order, by the next argument ("%%" shows one "%"); arguments
// beyond the placeholders are ignored. `complete` tells whether every placeholder had an argument (those
// without one are left empty).
std::string FormatMsg(std::string_view text, const std::vector<std::string>& args, bool* complete = nullptr);

} // namespace dfe::support
