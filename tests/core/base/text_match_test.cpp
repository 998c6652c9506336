#include <gtest/gtest.h>

#include "base/text_match.h"

#include <vector>

using namespace quivra;

TEST(TextMatch, NamesContainingTheTextInAnyCaseKeepTheirOrder) {
    const std::vector<std::u16string> names = {u"Рабочие", u"Arial",     u"Гараж",
                                               u"MARIAM",  u"ПРАЗДНИКИ", u"Ёлка"};
    struct Case {
        std::u16string_view text;
        std::vector<std::u16string> found;
    } cases[] = {
        {u"ра", {u"Рабочие", u"Гараж", u"ПРАЗДНИКИ"}},
        {u"ARI", {u"Arial", u"MARIAM"}},
        {u"ёЛ", {u"Ёлка"}},
        {u"", {}},
        {u"zz", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(base::namesContaining(names, c.text), c.found);
}

TEST(TextMatch, FirstNameEqualIgnoringCase) {
    const std::vector<std::u16string> names = {u"Tahoma", u"дом", u"Дом", u"Arial"};
    EXPECT_EQ(base::indexIgnoringCase(names, u"ДОМ"), 1u);
    EXPECT_EQ(base::indexIgnoringCase(names, u"arial"), 3u);
    EXPECT_FALSE(base::indexIgnoringCase(names, u"Aria"));
    EXPECT_FALSE(base::indexIgnoringCase(names, u""));
}
