#include <gtest/gtest.h>

#include "editor/list_styles.h"

using namespace quivra::editor;

namespace {
const ListMenuItem& item(std::u16string_view name) {
    for (const auto& i : kListMenuItems)
        if (i.name == name)
            return i;
    throw std::logic_error("no such item");
}
} // namespace

TEST(ListStyles, ItemsRememberTheirPartAndApplyTheOther) {
    ListNumbering remembered;
    struct Step {
        std::u16string_view item;
        ListNumbering applied;
    } steps[] = {
        {u"N21", {kListArabic, kStyleParen}},       // 1), 2), 3) right after start
        {u"N29", {kListArabic, kStyleParens}},      // (1)
        {u"F1", {kListNone, kStyleParens}},         // list removed, style kept
        {u"N29", {kListNone, kStyleParens}},        // a style alone sets no list
        {u"N25", {kListLcLetter, kStyleParens}},    // (a), (b), (c)
        {u"N28", {kListLcLetter, kStyleNewNumber}}, // restart, style not remembered
        {u"G2", {kListLcLetter, kStyleNoNumber}},   {u"N9", {kListBullet, kStyleNoNumber}},
    };
    for (const auto& s : steps)
        EXPECT_EQ(chooseListItem(remembered, item(s.item)), s.applied)
            << std::string(s.item.begin(), s.item.end());
    EXPECT_EQ(remembered.style, kStyleNoNumber);
    EXPECT_FALSE(chooseListItem(remembered, item(u"N31")));
}

TEST(ListStyles, TheRadioTickFollowsTheRememberedStyle) {
    ListNumbering remembered;
    EXPECT_EQ(tickedStyleItem(remembered).name, u"N110");
    chooseListItem(remembered, item(u"Y1"));
    EXPECT_EQ(tickedStyleItem(remembered).name, u"Y1");
    chooseListItem(remembered, item(u"N28"));
    chooseListItem(remembered, item(u"I2"));
    EXPECT_EQ(tickedStyleItem(remembered).name, u"Y1");
    EXPECT_EQ(tickedStyleItem({0, 0x1234}).name, u"N110");
}
