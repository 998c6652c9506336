#include "settings/colors.h"

#include "base/utf.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::settings;

namespace {

std::u16string upper(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 0x20);
    return out;
}

TEST(Colors, EveryNameRoundTripsInAnyCase) {
    std::vector<NamedColor> all(standardColors().begin(), standardColors().end());
    all.insert(all.end(), systemColors().begin(), systemColors().end());
    all.push_back({u"clNone", clNone});
    all.push_back({u"clDefault", clDefault});
    for (const auto& n : all) {
        EXPECT_EQ(colorFromString(n.name), n.color) << base::utf16ToUtf8(n.name);
        EXPECT_EQ(colorFromString(upper(n.name)), n.color) << base::utf16ToUtf8(n.name);
        EXPECT_EQ(colorToString(n.color), n.name);
    }
}

TEST(Colors, ComboBoxListHoldsTheTwentyNamedColours) {
    const auto list = standardColors();
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front().name, u"clBlack");
    EXPECT_EQ(list[15].name, u"clWhite"); // the 16 standard colours come first
    EXPECT_EQ(list.back().name, u"clMedGray");
    struct Case {
        std::u16string_view name;
        Color color;
    } cases[] = {{u"clTeal", rgbColor(0, 128, 128)},
                 {u"clMoneyGreen", rgbColor(192, 220, 192)},
                 {u"clSkyBlue", rgbColor(166, 202, 240)},
                 {u"clMedGray", rgbColor(160, 160, 164)}};
    for (const auto& c : cases)
        EXPECT_EQ(colorFromString(c.name), c.color) << base::utf16ToUtf8(c.name);
    EXPECT_EQ(rgbColor(0, 128, 128).value, 0x00808000u); // 00BBGGRR
}

TEST(Colors, NumbersAndUnnamedValues) {
    struct Case {
        std::u16string_view text;
        std::optional<Color> color;
        std::u16string_view written; // how the colour is written back
    } cases[] = {{u"$00FF0000", rgbColor(0, 0, 255), u"clBlue"},
                 {u"$FF000005", systemColor(5), u"clWindow"},
                 {u"$00123456", Color{0x123456}, u"$00123456"},
                 {u"$00abcdef", Color{0xABCDEF}, u"$00ABCDEF"},
                 {u"1193046", Color{0x123456}, u"$00123456"},
                 {u"0x81", Color{0x81}, u"$00000081"},
                 {u"-16777201", systemColor(15), u"clBtnFace"},
                 {u"$FF000019", systemColor(25), u"$FF000019"}, // the unnamed system index
                 {u"$1FFFFFFF", clNone, u"clNone"},
                 {u"clDkGray", std::nullopt, u""},
                 {u"blue", std::nullopt, u""},
                 {u" clBlue", std::nullopt, u""},
                 {u"", std::nullopt, u""},
                 {u"$", std::nullopt, u""}};
    for (const auto& c : cases) {
        const auto color = colorFromString(c.text);
        EXPECT_EQ(color, c.color) << base::utf16ToUtf8(c.text);
        if (color) {
            EXPECT_EQ(colorToString(*color), c.written) << base::utf16ToUtf8(c.text);
        }
    }
}

TEST(Colors, RgbOfSystemAndSpecialColours) {
    std::vector<int> asked;
    const SystemColorLookup lookup = [&](int index) {
        asked.push_back(index);
        return 0xFF000000u | static_cast<std::uint32_t>(index * 0x010101);
    };
    EXPECT_EQ(colorToRgb(rgbColor(1, 2, 3), lookup), 0x030201u);
    EXPECT_EQ(colorToRgb(systemColor(15), lookup), 0x0F0F0Fu); // top byte dropped
    EXPECT_EQ(colorToRgb(clNone, lookup), std::nullopt);
    EXPECT_EQ(colorToRgb(clDefault, lookup), std::nullopt);
    EXPECT_EQ(asked, std::vector<int>{15});
}

} // namespace
