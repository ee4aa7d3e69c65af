#pragma once

#include <string>
#include <string_view>

namespace dfe::dfe11000 {

// A group box caption with one leading and one trailing blank ensured; an empty caption stays empty.
std::string CaptionGroupBox(std::string_view text);

} // namespace dfe::dfe11000
