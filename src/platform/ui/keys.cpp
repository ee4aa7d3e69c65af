#include "platform/ui/keys.h"

#include "platform/core/text.h"

#include <array>
#include <charconv>
#include <utility>

namespace dfe {
namespace {

constexpr std::array<std::pair<int, std::string_view>, 19> kNames{{
    {key::Back, "Backspace"},    {key::Tab, "Tab"},       {key::Enter, "Enter"},
    {key::Escape, "Esc"},        {key::Space, "Space"},   {key::PageUp, "PageUp"},
    {key::PageDown, "PageDown"}, {key::End, "End"},       {key::Home, "Home"},
    {key::Left, "Left"},         {key::Up, "Up"},         {key::Right, "Right"},
    {key::Down, "Down"},         {key::Insert, "Insert"}, {key::Delete, "Delete"},
    {key::Decimal, "Decimal"},   {key::Comma, "Comma"},   {key::Minus, "Minus"},
    {key::Period, "Period"},
}};

std::optional<int> ParseKey(std::string_view name) {
    for (const auto& [code, keyName] : kNames)
        if (text::SameText(name, keyName)) return code;
    if (text::SameText(name, "Return")) return key::Enter;
    if (text::SameText(name, "Escape")) return key::Escape;
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') && text::IsDigits(name.substr(1))) {
        int n = 0;
        std::from_chars(name.data() + 1, name.data() + name.size(), n);
        if (n >= 1 && n <= 12) return key::F1 + n - 1;
        return std::nullopt;
    }
    if (name.size() == 1) {
        int code = KeyCodeForChar(static_cast<unsigned char>(name[0]));
        if (code != key::None) return code;
    }
    if (text::IsDigits(name) && name.size() <= 3) {
        int n = 0;
        std::from_chars(name.data(), name.data() + name.size(), n);
        if (n > 0 && n < 256) return n;
    }
    return std::nullopt;
}

} // namespace

int KeyCodeForChar(char32_t ch) {
    if (ch >= 'a' && ch <= 'z') return static_cast<int>(ch - 'a' + 'A');
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ') return static_cast<int>(ch);
    switch (ch) {
    case '.':
        return key::Period;
    case ',':
        return key::Comma;
    case '-':
        return key::Minus;
    case ';':
        return 186;
    case '=':
        return 187;
    case '/':
        return 191;
    default:
        return key::None;
    }
}

std::optional<char32_t> CharForKey(int code, char32_t typed) {
    if (KeyCodeForChar(typed) == code) return typed;
    if (code == key::Comma) return U',';
    if (code == key::Period) return U'.';
    return std::nullopt;
}

std::optional<KeyStroke> ParseKeyStroke(std::string_view text) {
    KeyStroke stroke;
    auto parts = text::Split(text, '+');
    if (parts.empty() || parts.back().empty()) {
        if (text == "+") return std::nullopt;
        return std::nullopt;
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (text::SameText(parts[i], "Ctrl"))
            stroke.shift.ctrl = true;
        else if (text::SameText(parts[i], "Shift"))
            stroke.shift.shift = true;
        else if (text::SameText(parts[i], "Alt"))
            stroke.shift.alt = true;
        else
            return std::nullopt;
    }
    auto code = ParseKey(parts.back());
    if (!code) return std::nullopt;
    stroke.key = *code;
    return stroke;
}

std::string KeyName(int code) {
    for (const auto& [value, name] : kNames)
        if (value == code) return std::string(name);
    if (code >= key::F1 && code <= key::F12) return "F" + std::to_string(code - key::F1 + 1);
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::string(1, static_cast<char>(code));
    return std::to_string(code);
}

} // namespace dfe
