#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe {

// Virtual key codes, as the key rules compare them.
namespace key {
inline constexpr int None = 0;
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Decimal = 110; // the keypad's decimal key
inline constexpr int F1 = 112;
inline constexpr int F12 = 123;
inline constexpr int Comma = 188;
inline constexpr int Minus = 189;
inline constexpr int Period = 190;
} // namespace key

struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    friend bool operator==(const ShiftState&, const ShiftState&) = default;
};

struct KeyStroke {
    int key = key::None;
    ShiftState shift;
};

// The key that produces a typed character, or None for characters typed without a key-down of their own
// (accented letters come from dead keys).
int KeyCodeForChar(char32_t ch);
// The character a rewritten key types: the comma key types ',' whatever was pressed.
std::optional<char32_t> CharForKey(int key, char32_t typed);

// "Tab", "Shift+Tab", "Ctrl+V", "F12", "PageDown", "190".
std::optional<KeyStroke> ParseKeyStroke(std::string_view text);
std::string KeyName(int key);

} // namespace dfe
