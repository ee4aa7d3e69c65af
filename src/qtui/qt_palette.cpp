#include "qtui/qt_palette.h"

namespace dfe::qtui {

QColor ToQColor(Color color) {
    switch (color) {
    case Color::clWindow:
        return QColor(255, 255, 255);
    case Color::clWindowText:
        return QColor(0, 0, 0);
    case Color::clHighlight:
        return QColor(0, 120, 215);
    case Color::clHighlightText:
        return QColor(255, 255, 255);
    case Color::clBtnFace:
        return QColor(240, 240, 240);
    case Color::clInfoBk:
        return QColor(255, 255, 225);
    default:
        break;
    }
    const auto bgr = static_cast<uint32_t>(color);
    if (IsSystemColor(color)) return QColor(240, 240, 240); // a system colour we do not know: a neutral face
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace dfe::qtui
