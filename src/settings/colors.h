// Colours as the settings file stores them: a 32-bit value 0x00BBGGRR for an
// RGB colour, 0xFF000000 | index for a Windows system colour (COLOR_* index),
// and the two special values clNone and clDefault. Colours with a standard
// name are written by that name ("clTeal"), others as "$" and eight hex digits.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quivra::settings {

struct Color {
    std::uint32_t value = 0;
    friend constexpr bool operator==(Color, Color) = default;
};

constexpr Color rgbColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Color{static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
                 static_cast<std::uint32_t>(b) << 16};
}

inline constexpr std::uint32_t kSystemColorFlag = 0xFF000000;
inline constexpr Color clNone{0x1FFFFFFF};
inline constexpr Color clDefault{0x20000000};

constexpr Color systemColor(int index) {
    return Color{kSystemColorFlag | (static_cast<std::uint32_t>(index) & 0xFF)};
}
constexpr bool isSystemColor(Color c) {
    return (c.value & kSystemColorFlag) == kSystemColorFlag;
}
constexpr int systemColorIndex(Color c) {
    return static_cast<int>(c.value & 0xFF);
}

struct NamedColor {
    std::u16string_view name;
    Color color;
};

// The 16 standard colours, then the 4 extended ones (clMoneyGreen, clSkyBlue,
// clCream, clMedGray): the items of the border-colour box, in its order.
std::span<const NamedColor> standardColors();
// The named system colours, clScrollBar (index 0) to clMenuBar (30).
std::span<const NamedColor> systemColors();

// A colour name (any letter case), or an integer by the settings-file integer
// rule ("$00FF8000", "0x...", decimal). nullopt for anything else.
std::optional<Color> colorFromString(std::u16string_view text);
// The standard, system or special name, else "$" and 8 uppercase hex digits.
std::u16string colorToString(Color color);

// The colour's 0x00BBGGRR value of a system colour index.
using SystemColorLookup = std::function<std::uint32_t(int index)>;

// The RGB value 0x00BBGGRR the colour paints with; system colours go through
// the lookup. clNone and clDefault have none: nullopt.
std::optional<std::uint32_t> colorToRgb(Color color, const SystemColorLookup& systemLookup);

} // namespace quivra::settings
