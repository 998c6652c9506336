#include "settings/colors.h"

#include "base/ini_file.h"

#include <array>

namespace quivra::settings {

namespace {

constexpr std::array<NamedColor, 20> kStandard{{
    {u"clBlack", rgbColor(0, 0, 0)},
    {u"clMaroon", rgbColor(128, 0, 0)},
    {u"clGreen", rgbColor(0, 128, 0)},
    {u"clOlive", rgbColor(128, 128, 0)},
    {u"clNavy", rgbColor(0, 0, 128)},
    {u"clPurple", rgbColor(128, 0, 128)},
    {u"clTeal", rgbColor(0, 128, 128)},
    {u"clGray", rgbColor(128, 128, 128)},
    {u"clSilver", rgbColor(192, 192, 192)},
    {u"clRed", rgbColor(255, 0, 0)},
    {u"clLime", rgbColor(0, 255, 0)},
    {u"clYellow", rgbColor(255, 255, 0)},
    {u"clBlue", rgbColor(0, 0, 255)},
    {u"clFuchsia", rgbColor(255, 0, 255)},
    {u"clAqua", rgbColor(0, 255, 255)},
    {u"clWhite", rgbColor(255, 255, 255)},
    {u"clMoneyGreen", rgbColor(192, 220, 192)},
    {u"clSkyBlue", rgbColor(166, 202, 240)},
    {u"clCream", rgbColor(255, 251, 240)},
    {u"clMedGray", rgbColor(160, 160, 164)},
}};

// Windows leaves index 25 unused, so it has no name.
constexpr std::array<NamedColor, 30> kSystem{{
    {u"clScrollBar", systemColor(0)},
    {u"clBackground", systemColor(1)},
    {u"clActiveCaption", systemColor(2)},
    {u"clInactiveCaption", systemColor(3)},
    {u"clMenu", systemColor(4)},
    {u"clWindow", systemColor(5)},
    {u"clWindowFrame", systemColor(6)},
    {u"clMenuText", systemColor(7)},
    {u"clWindowText", systemColor(8)},
    {u"clCaptionText", systemColor(9)},
    {u"clActiveBorder", systemColor(10)},
    {u"clInactiveBorder", systemColor(11)},
    {u"clAppWorkSpace", systemColor(12)},
    {u"clHighlight", systemColor(13)},
    {u"clHighlightText", systemColor(14)},
    {u"clBtnFace", systemColor(15)},
    {u"clBtnShadow", systemColor(16)},
    {u"clGrayText", systemColor(17)},
    {u"clBtnText", systemColor(18)},
    {u"clInactiveCaptionText", systemColor(19)},
    {u"clBtnHighlight", systemColor(20)},
    {u"cl3DDkShadow", systemColor(21)},
    {u"cl3DLight", systemColor(22)},
    {u"clInfoText", systemColor(23)},
    {u"clInfoBk", systemColor(24)},
    {u"clHotLight", systemColor(26)},
    {u"clGradientActiveCaption", systemColor(27)},
    {u"clGradientInactiveCaption", systemColor(28)},
    {u"clMenuHighlight", systemColor(29)},
    {u"clMenuBar", systemColor(30)},
}};

constexpr std::array<NamedColor, 2> kSpecial{{
    {u"clNone", clNone},
    {u"clDefault", clDefault},
}};

constexpr std::array<std::span<const NamedColor>, 3> kAllNames{
    std::span<const NamedColor>(kStandard), std::span<const NamedColor>(kSystem),
    std::span<const NamedColor>(kSpecial)};

// Colour names are ASCII, so an ASCII case fold is enough.
bool asciiEqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

} // namespace

std::span<const NamedColor> standardColors() {
    return kStandard;
}
std::span<const NamedColor> systemColors() {
    return kSystem;
}

std::optional<Color> colorFromString(std::u16string_view text) {
    for (auto names : kAllNames)
        for (const auto& n : names)
            if (asciiEqualsIgnoreCase(n.name, text))
                return n.color;
    if (const auto v = base::parseProfileInteger(text))
        return Color{static_cast<std::uint32_t>(*v)};
    return std::nullopt;
}

std::u16string colorToString(Color color) {
    for (auto names : kAllNames)
        for (const auto& n : names)
            if (n.color == color)
                return std::u16string(n.name);
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string out = u"$";
    for (int shift = 28; shift >= 0; shift -= 4)
        out.push_back(kHex[(color.value >> shift) & 0xF]);
    return out;
}

std::optional<std::uint32_t> colorToRgb(Color color, const SystemColorLookup& systemLookup) {
    if (color == clNone || color == clDefault)
        return std::nullopt;
    if (isSystemColor(color))
        return systemLookup(systemColorIndex(color)) & 0x00FFFFFF;
    return color.value & 0x00FFFFFF;
}

} // namespace quivra::settings
