#include <gtest/gtest.h>

#include "editor/format_rules.h"

using namespace quivra::editor;

TEST(FormatRules, StyleButtonsAndShortcutsChangeOneBitAndWriteTheOthersAsReported) {
    struct Case {
        unsigned reported, bit;
        bool pressed;
        unsigned button, shortcut;
    } cases[] = {
        // Italic, not bold: Bold pressed gives bold and italic.
        {kStyleItalic, kStyleBold, true, kStyleBold | kStyleItalic, kStyleBold | kStyleItalic},
        {kStyleBold | kStyleUnderline, kStyleBold, false, kStyleUnderline, kStyleUnderline},
        // A button pressed over text that already has the style keeps it;
        // the shortcut takes it away.
        {kStyleStrikeOut, kStyleStrikeOut, true, kStyleStrikeOut, 0},
        {0, kStyleUnderline, false, 0, kStyleUnderline},
        // Effects beyond the four styles (automatic colour, links) are not written.
        {0x40000000u | 0x20u | kStyleItalic, kStyleBold, true, kStyleBold | kStyleItalic,
         kStyleBold | kStyleItalic},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(styleAfterButton(c.reported, c.bit, c.pressed), c.button) << c.reported;
        EXPECT_EQ(styleAfterShortcut(c.reported, c.bit), c.shortcut) << c.reported;
    }
}

TEST(FormatRules, SizeTextIsAnyIntegerAndTwipsPassItOn) {
    EXPECT_EQ(fontSizeFromText(u"16"), 16); // not in the list, still taken
    EXPECT_EQ(fontSizeFromText(u"-3"), -3);
    EXPECT_EQ(fontSizeFromText(u"$10"), 16);
    for (std::u16string_view bad : {u"", u"abc", u"12pt", u"1 2", u"8.5"})
        EXPECT_FALSE(fontSizeFromText(bad)) << std::string(bad.begin(), bad.end());
    EXPECT_EQ(twipsOfPoints(16), 320);
    EXPECT_EQ(twipsOfPoints(0), 0);
    EXPECT_EQ(twipsOfPoints(-2), -40);
    EXPECT_EQ(twipsOfPoints(2147483647L), -20); // wraps instead of overflowing
    EXPECT_EQ(pointsOfTwips(319), 15);          // truncated
    EXPECT_EQ(pointsOfTwips(160), 8);
}

TEST(FormatRules, PaletteClickPicksTheSwatchGrownByItsMargin) {
    ASSERT_EQ(paletteColours().size(), 16u);
    EXPECT_EQ(paletteColours()[0].name, u"clBlack");
    EXPECT_EQ(paletteColours()[1].color, quivra::settings::rgbColor(0x80, 0, 0));
    EXPECT_EQ(paletteColours()[15].name, u"clWhite");
    struct Case {
        int x, y;
        std::size_t swatch;
    } cases[] = {
        {6, 6, 0},    {26, 26, 0},   {0, 0, 0}, // the swatch and its margin
        {32, 10, 0},  {33, 10, 1},              // grown rectangles overlap: first wins
        {60, 60, 10}, {107, 6, 3},   {6, 107, 12}, {107, 107, 15},
        {113, 10, 3}, {114, 10, 15}, {-1, -1, 15}, // outside every swatch: white
    };
    for (const auto& c : cases)
        EXPECT_EQ(swatchAt(c.x, c.y), c.swatch) << c.x << "," << c.y;
    EXPECT_EQ(swatchRect(5).left, 33);
    EXPECT_EQ(swatchRect(5).top, 33);
}

TEST(FormatRules, PaletteSlidesInFiveAndOutInEightPixelSteps) {
    // From behind the bar (27 - 113 = -86) down to just below it.
    const auto down = paletteOpeningTops(27, 113, true);
    ASSERT_FALSE(down.empty());
    EXPECT_EQ(down.front(), -81);
    EXPECT_EQ(down[down.size() - 2], 24); // the last step, taken from 19
    EXPECT_EQ(down.back(), 27);
    EXPECT_EQ(down.size(), 23u);
    EXPECT_EQ(paletteOpeningTops(27, 113, false), std::vector<int>{27});

    const auto up = paletteClosingTops(27, 113, 27, true);
    ASSERT_FALSE(up.empty());
    EXPECT_EQ(up.front(), 19);
    EXPECT_LE(up.back() + 113, 27 + 8);
    EXPECT_GT(up[up.size() - 2] + 113, 27 + 8);
    EXPECT_TRUE(paletteClosingTops(27, 113, 27, false).empty());
    EXPECT_EQ(paletteRecordKey(PaletteMode::TextColour), u"FontColor");
    EXPECT_EQ(paletteRecordKey(PaletteMode::Background), u"NoteBGColor");
}

TEST(FormatRules, AdditionalMenuFollowsTheSelectionsEndsAndReadOnly) {
    struct Case {
        std::u16string_view selection;
        bool readOnly;
        AdditMenuRules rules; // uncomment, comment, editing, selection commands
    } cases[] = {
        {u"", false, {false, true, true, false}},
        {u"plain", false, {false, true, true, true}},
        {u"##[hidden]##", false, {true, false, true, true}},
        {u"##[hidden]##", true, {false, false, false, true}},
        {u"##[open only", false, {false, false, true, true}},
        {u"close only]##", false, {false, false, true, true}},
        // Shorter than three: both ends are the whole selection.
        {u"##", false, {false, true, true, true}},
        {u"##[", false, {false, false, true, true}},
        {u"]##", false, {false, false, true, true}},
        // Markers inside the selection do not count.
        {u"a##[b]##c", false, {false, true, true, true}},
        {u"x", true, {false, false, false, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(additMenuRules(c.selection, c.readOnly), c.rules)
            << std::string(c.selection.begin(), c.selection.end()) << " ro=" << c.readOnly;
}
