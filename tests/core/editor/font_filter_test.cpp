#include <gtest/gtest.h>

#include "editor/font_filter.h"

#include <vector>

using namespace quivra::editor;

namespace {
const std::vector<std::u16string> kFonts = {u"Arial", u"Arial Black", u"Tahoma"};
}

TEST(FontFilter, SelectionFaceLookUpAndFormatCut) {
    EXPECT_EQ(fontIndex(kFonts, u"tahoma"), 2u);
    EXPECT_EQ(fontIndex(kFonts, u"ARIAL"), 0u);
    EXPECT_FALSE(fontIndex(kFonts, u"Arial Narrow"));
    // Typing an empty filter shows an empty list.
    EXPECT_TRUE(filterFontNames(kFonts, u"").empty());
    EXPECT_FALSE(fontIndex(kFonts, u""));

    const std::u16string longFace(40, u'f');
    EXPECT_EQ(faceNameForFormat(longFace).size(), 31u);
    EXPECT_EQ(faceNameForFormat(u"Tahoma"), u"Tahoma");
    // A surrogate pair across the cut is left out whole.
    std::u16string astral(30, u'f');
    astral += u"\U0001D400xyz";
    EXPECT_EQ(faceNameForFormat(astral), std::u16string(30, u'f'));
}

TEST(FontFilter, ComboDropsDownBesideTheButton) {
    EXPECT_EQ(fontComboPlace(200, 30, false, kOwnerDrawnFontItemHeight, 480),
              (FontComboPlace{50, 15, 350, 10}));
    EXPECT_EQ(fontComboPlace(200, 30, true, 16, 480), (FontComboPlace{50, 34, 350, 23}));
    EXPECT_EQ(fontComboPlace(200, 30, true, 0, 480).visibleItems, 0);
}
