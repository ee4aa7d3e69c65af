#include "platform/ui/color.h"

#include "platform/core/text.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

namespace dfe {
namespace {

constexpr std::array<std::pair<Color, std::string_view>, 10> kNamed{{
    {Color::clBlack, "clBlack"},
    {Color::clWhite, "clWhite"},
    {Color::clRed, "clRed"},
    {Color::clOlive, "clOlive"},
    {Color::clWindow, "clWindow"},
    {Color::clWindowText, "clWindowText"},
    {Color::clHighlight, "clHighlight"},
    {Color::clHighlightText, "clHighlightText"},
    {Color::clBtnFace, "clBtnFace"},
    {Color::clInfoBk, "clInfoBk"},
}};

} // namespace

Color ColorFromRgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<Color>(static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
                              (static_cast<uint32_t>(blue) << 16));
}

bool IsSystemColor(Color color) {
    return (static_cast<uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

std::string ColorName(Color color) {
    for (const auto& [value, name] : kNamed)
        if (value == color) return std::string(name);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
    return buffer;
}

std::optional<Color> ParseColor(std::string_view text) {
    for (const auto& [value, name] : kNamed) {
        if (text::SameText(text, name) || text::SameText(text, name.substr(2))) return value;
    }
    if (text.size() > 1 && text.front() == '$') {
        uint32_t value = 0;
        auto digits = text.substr(1);
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (error == std::errc() && end == digits.data() + digits.size()) return static_cast<Color>(value);
    }
    return std::nullopt;
}

} // namespace dfe
