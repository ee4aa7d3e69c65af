#include "qtui/qt_keys.h"

#include <QList>

#include <array>
#include <utility>

namespace dfe::qtui {
namespace {

constexpr std::array<std::pair<int, int>, 30> kKeys{{
    {Qt::Key_Backspace, key::Back},
    {Qt::Key_Tab, key::Tab},
    {Qt::Key_Backtab, key::Tab},
    {Qt::Key_Return, key::Enter},
    {Qt::Key_Enter, key::Enter},
    {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space},
    {Qt::Key_PageUp, key::PageUp},
    {Qt::Key_PageDown, key::PageDown},
    {Qt::Key_End, key::End},
    {Qt::Key_Home, key::Home},
    {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},
    {Qt::Key_Right, key::Right},
    {Qt::Key_Down, key::Down},
    {Qt::Key_Insert, key::Insert},
    {Qt::Key_Delete, key::Delete},
    {Qt::Key_Comma, key::Comma},
    {Qt::Key_Minus, key::Minus},
    {Qt::Key_Period, key::Period},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Slash, 191},
    {Qt::Key_Plus, 187},
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Underscore, key::Minus},
    {Qt::Key_Colon, 186},
    {Qt::Key_Question, 191},
    {Qt::Key_Less, key::Comma},
    {Qt::Key_Greater, key::Period},
}};

// The numeric keypad has codes of its own: digits 96..105, * 106, + 107, - 109, decimal 110, / 111.
std::optional<int> KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return key::Decimal;
    case Qt::Key_Slash:
        return 111;
    default:
        return std::nullopt;
    }
}

std::optional<int> VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier)
        if (auto code = KeypadKey(qtKey)) return code;
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return key::F1 + (qtKey - Qt::Key_F1);
    for (const auto& [qt, code] : kKeys)
        if (qt == qtKey) return code;
    return std::nullopt;
}

// The character typed, when it is a printable one: control characters come from the key itself.
char32_t TypedChar(const QString& text) {
    const auto codes = text.toUcs4();
    if (codes.size() != 1) return 0;
    const auto ch = static_cast<char32_t>(codes.front());
    return ch >= 32 && ch != 127 ? ch : 0;
}

} // namespace

std::optional<NativeKeyPress> FromQtKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    NativeKeyPress press;
    press.shift.shift = (modifiers & Qt::ShiftModifier) || qtKey == Qt::Key_Backtab;
    press.shift.ctrl = (modifiers & Qt::ControlModifier) != 0;
    press.shift.alt = (modifiers & Qt::AltModifier) != 0;
    if (!press.shift.ctrl && !press.shift.alt) press.typed = TypedChar(text);
    if (auto code = VirtualKey(qtKey, modifiers)) {
        press.key = *code;
        return press;
    }
    // Accented letters and other characters of the layout have no key code of their own: they arrive
    // as typed characters only.
    if (press.typed != 0) return press;
    return std::nullopt;
}

} // namespace dfe::qtui
