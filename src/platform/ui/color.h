#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dfe {

// Colours as the forms name them. System colours carry the high byte 0xFF and are resolved by the renderer's
// palette; plain colours are 0x00BBGGRR.
enum class Color : uint32_t {
    clBlack = 0x000000,
    clWhite = 0xFFFFFF,
    clRed = 0x0000FF,
    clOlive = 0x008080,
    clWindow = 0xFF000005,
    clWindowText = 0xFF000008,
    clHighlight = 0xFF00000D,
    clHighlightText = 0xFF00000E,
    clBtnFace = 0xFF00000F,
    clInfoBk = 0xFF000018,
};

Color ColorFromRgb(uint8_t red, uint8_t green, uint8_t blue);
bool IsSystemColor(Color color);

// "clInfoBk" for the named ones, "$00BBGGRR" for the others.
std::string ColorName(Color color);
// Accepts the names above (case-insensitive, "cl" prefix optional) and "$00BBGGRR".
std::optional<Color> ParseColor(std::string_view text);

} // namespace dfe
