#pragma once

#include "platform/ui/color.h"

#include <QColor>

namespace dfe::qtui {

// The colour a form names, with the system colours resolved to the desktop's classic palette, so that
// required fields (info background) and disabled ones (button face) look as the clerk knows them.
QColor ToQColor(Color color);

} // namespace dfe::qtui
