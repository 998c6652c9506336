#include <gtest/gtest.h>

#include "app/dates.h"
#include "base/utf.h"

using namespace quivra::app;

namespace {
std::string show(std::u16string_view s) {
    return quivra::base::utf16ToUtf8(s);
}
} // namespace

TEST(Dates, FormatsWithTheLocalePicture) {
    const CivilDate dec8{2015, 12, 8};
    struct Case {
        CivilDate date;
        std::u16string pattern, text;
    } cases[] = {
        {dec8, u"dd.MM.yyyy", u"08.12.2015"},
        {dec8, u"M/d/yyyy", u"12/8/2015"},
        {{2005, 1, 5}, u"d.M.y", u"5.1.5"},
        {{987, 3, 1}, u"dd.MM.yyyy", u"01.03.0987"},
        {dec8, u"'day' d, ''yy", u"day 8, '15"},
        {dec8, u"dddd, d MMMM yyyy", u", 8  2015"}, // names are left out
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatShortDate(c.date, c.pattern), c.text) << show(c.pattern);
}

TEST(Dates, WhatIsFormattedParsesBack) {
    const CivilDate dates[] = {
        {2015, 12, 8}, {2024, 2, 29}, {1999, 12, 31}, {1930, 6, 15}, {2029, 11, 30}};
    const std::u16string_view patterns[] = {u"dd.MM.yyyy", u"M/d/yyyy",        u"d.M.yy",
                                            u"yyyy-MM-dd", u"dd.MM.yyyy' г.'", u"yyyyMMdd",
                                            u"yyMMdd"};
    for (auto pattern : patterns)
        for (const auto& d : dates) {
            const auto text = formatShortDate(d, pattern);
            EXPECT_EQ(parseShortDate(text, pattern), d) << show(text) << " " << show(pattern);
        }
}

TEST(Dates, ParseAcceptsEitherDigitCountAndTheTwoDigitYearWindow) {
    struct Case {
        std::u16string text, pattern;
        CivilDate date;
    } cases[] = {
        {u"8.1.2015", u"dd.MM.yyyy", {2015, 1, 8}},  {u"08.01.2015", u"d.M.yy", {2015, 1, 8}},
        {u"08.12.15", u"dd.MM.yyyy", {2015, 12, 8}}, {u"1.1.29", u"d.M.yy", {2029, 1, 1}},
        {u"1.1.30", u"d.M.yy", {1930, 1, 1}},        {u"1.1.00", u"d.M.yy", {2000, 1, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseShortDate(c.text, c.pattern), c.date) << show(c.text);
}

TEST(Dates, ParseRefusesWhatIsNotADateInThePicture) {
    const std::u16string_view rejected[] = {
        u"",           u"32.12.2015",  u"00.12.2015",  u"08.13.2015", u"29.02.2015",
        u"29.02.1900", u"31.04.2015",  u"08.12.2015 ", u"08-12-2015", u"008.12.2015",
        u"08.12.201",  u"08.12.20155", u"01.01.0000",  u"08.12",      u"８.12.2015"};
    for (auto text : rejected)
        EXPECT_FALSE(parseShortDate(text, u"dd.MM.yyyy")) << show(text);
    // Pictures the parser cannot read back.
    for (std::u16string_view pattern : {u"dd MMM yyyy", u"ddd dd.MM.yyyy", u"dd.MM", u"d.d.M.y"}) {
        EXPECT_FALSE(isNumericDatePattern(pattern)) << show(pattern);
        EXPECT_FALSE(parseShortDate(u"08 12 2015", pattern));
    }
}

TEST(Dates, DaysBetweenIsWholeAndUnsigned) {
    struct Case {
        CivilDate a, b;
        long long days;
    } cases[] = {
        {{2015, 12, 8}, {2015, 12, 8}, 0}, {{2015, 12, 10}, {2015, 12, 8}, 2}, // start in future
        {{2024, 2, 28}, {2024, 3, 1}, 2},  {{1900, 1, 1}, {1901, 1, 1}, 365},
        {{2000, 1, 1}, {2001, 1, 1}, 366}, {{1600, 3, 1}, {2000, 3, 1}, 146097},
    };
    for (const auto& c : cases)
        EXPECT_EQ(daysBetween(c.a, c.b), c.days) << c.a.year << "-" << c.b.year;
}
