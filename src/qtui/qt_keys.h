#pragma once

#include "platform/ui/keys.h"

#include <QString>
#include <Qt>

#include <optional>

namespace dfe::qtui {

// A Qt key press as the toolkit takes it: the virtual key code, the shift state and the character the
// keyboard layout typed with it (0 when none, as for arrows and function keys).
struct NativeKeyPress {
    int key = key::None;
    ShiftState shift;
    char32_t typed = 0;
};

// Nothing for presses the toolkit does not see (a lone Shift or Ctrl, keys it has no code for).
std::optional<NativeKeyPress> FromQtKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

} // namespace dfe::qtui
