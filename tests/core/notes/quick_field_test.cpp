#include <gtest/gtest.h>

#include "base/name_chars.h"
#include "notes/quick_field.h"

#include <vector>

using namespace quivra::notes;

namespace {
const std::vector<std::u16string> kNames = {u"Рабочие", u"покупки",   u"Покупки",
                                            u"Гараж",   u"ПРАЗДНИКИ", u"Work"};
}

TEST(QuickField, ListsNamesContainingTheTextInAnyCase) {
    EXPECT_EQ(quickListNames(kNames, u"ра"),
              (std::vector<std::u16string>{u"Рабочие", u"Гараж", u"ПРАЗДНИКИ"}));
    EXPECT_EQ(quickListNames(kNames, u"ПОКУП"),
              (std::vector<std::u16string>{u"покупки", u"Покупки"}));
    EXPECT_TRUE(quickListNames(kNames, u"").empty());
    EXPECT_TRUE(quickListNames(kNames, u"xyz").empty());
}

TEST(QuickField, EnterPicksAnExactlyListedNameOrAddsTheText) {
    const std::vector<std::u16string> listed = {u"покупки", u"Покупки"};
    struct Case {
        std::u16string_view text;
        bool showing;
        QuickAddAction action;
        std::size_t index;
    } cases[] = {
        {u"", true, QuickAddAction::SelectFieldText, 0},
        {u" Покупки", true, QuickAddAction::SelectFieldText, 0},
        // Exactly listed: the first entry equal ignoring case is picked.
        {u"Покупки", true, QuickAddAction::PickListed, 0},
        {u"покупки", true, QuickAddAction::PickListed, 0},
        // Equal but for case: added as a second entry.
        {u"ПОКУПКИ", true, QuickAddAction::AddNote, 0},
        // A hidden panel picks nothing.
        {u"Покупки", false, QuickAddAction::AddNote, 0},
        {u"Новая", true, QuickAddAction::AddNote, 0},
        // Device names are never notes.
        {u"con", false, QuickAddAction::SelectFieldText, 0},
        {u"LPT1.note", true, QuickAddAction::SelectFieldText, 0},
    };
    for (const auto& c : cases) {
        const auto r = quickAddOnEnter(c.text, c.showing, listed);
        EXPECT_EQ(r.action, c.action) << int(c.action);
        EXPECT_EQ(r.listIndex, c.index);
    }
    const std::vector<std::u16string> one = {u"Дом", u"дом"};
    EXPECT_EQ(quickAddOnEnter(u"дом", true, one).listIndex, 0u);
}

TEST(QuickField, TypedNamesRefuseTheFileSystemCharacters) {
    for (char16_t c : std::u16string_view(u"*/:<>?\\|"))
        EXPECT_FALSE(quivra::base::isAcceptedNameChar(c)) << char(c);
    for (char16_t c : std::u16string_view(u"\"'. -_яЯ1"))
        EXPECT_TRUE(quivra::base::isAcceptedNameChar(c));
}
