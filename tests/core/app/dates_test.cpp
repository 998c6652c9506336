#include <gtest/gtest.h>

#include "app/dates.h"
#include "base/utf.h"
#include "common/russian_date_names.h"

using namespace quivra::app;

namespace {
std::string show(std::u16string_view s) {
    return quivra::base::utf16ToUtf8(s);
}
const DateNames kRu = quivra::test::russianDateNames();
const DateNames kNone{};
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
        // Names; the month next to a day number in its genitive form.
        {dec8, u"dddd, d MMMM yyyy", u"вторник, 8 декабря 2015"},
        {{2026, 5, 3}, u"dd-MMM-yy", u"03-мая-26"},
        {{2026, 5, 3}, u"MMMM yyyy", u"май 2026"},
        {{1970, 1, 4}, u"ddd dd.MM.yyyy", u"Вс 04.01.1970"},
        {{1969, 12, 29}, u"ddd d", u"Пн 29"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatShortDate(c.date, c.pattern, kRu), c.text) << show(c.pattern);
}

TEST(Dates, WhatIsFormattedParsesBack) {
    const CivilDate dates[] = {
        {2015, 12, 8}, {2024, 2, 29}, {1999, 12, 31}, {1930, 6, 15}, {2029, 11, 30}};
    const std::u16string_view patterns[] = {
        u"dd.MM.yyyy", u"M/d/yyyy", u"d.M.yy",    u"yyyy-MM-dd",        u"dd.MM.yyyy' г.'",
        u"yyyyMMdd",   u"yyMMdd",   u"dd-MMM-yy", u"dddd, d MMMM yyyy", u"ddd dd.MM.yyyy"};
    for (auto pattern : patterns)
        for (const auto& d : dates) {
            const auto text = formatShortDate(d, pattern, kRu);
            EXPECT_EQ(parseShortDate(text, pattern, kRu), d) << show(text) << " " << show(pattern);
        }
}

TEST(Dates, ParseAcceptsEitherDigitCountAndTheTwoDigitYearWindow) {
    struct Case {
        std::u16string text, pattern;
        CivilDate date;
    } cases[] = {
        {u"8.1.2015", u"dd.MM.yyyy", {2015, 1, 8}},
        {u"08.01.2015", u"d.M.yy", {2015, 1, 8}},
        {u"08.12.15", u"dd.MM.yyyy", {2015, 12, 8}},
        {u"1.1.29", u"d.M.yy", {2029, 1, 1}},
        {u"1.1.30", u"d.M.yy", {1930, 1, 1}},
        {u"1.1.00", u"d.M.yy", {2000, 1, 1}},
        // Any form of a name in any letter case; the day's name is not checked.
        {u"08-ДЕК-15", u"dd-MMM-yy", {2015, 12, 8}},
        {u"8 декабрь 2015", u"d MMMM yyyy", {2015, 12, 8}},
        {u"Пн 08.12.2015", u"ddd dd.MM.yyyy", {2015, 12, 8}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseShortDate(c.text, c.pattern, kRu), c.date) << show(c.text);
}

TEST(Dates, ParseRefusesWhatIsNotADateInThePicture) {
    const std::u16string_view rejected[] = {
        u"",           u"32.12.2015",  u"00.12.2015",  u"08.13.2015", u"29.02.2015",
        u"29.02.1900", u"31.04.2015",  u"08.12.2015 ", u"08-12-2015", u"008.12.2015",
        u"08.12.201",  u"08.12.20155", u"01.01.0000",  u"08.12",      u"８.12.2015"};
    for (auto text : rejected)
        EXPECT_FALSE(parseShortDate(text, u"dd.MM.yyyy")) << show(text);
    EXPECT_FALSE(parseShortDate(u"08-дк-15", u"dd-MMM-yy", kRu));
    // Pictures the parser cannot read back (names unknown without a locale)
    // are not used: dates are then written and read as dd.MM.yyyy.
    struct Picture {
        std::u16string_view pattern;
        const DateNames& names;
    } unreadable[] = {{u"dd MMM yyyy", kNone}, {u"ddd dd.MM.yyyy", kNone}, {u"dd.MM", kRu},
                      {u"d.d.M.y", kRu},       {u"gg yyyy-MM-dd", kRu},    {u"MMM MMMM yyyy", kRu},
                      {u"dd.MM.yyyy yy", kRu}};
    for (const auto& p : unreadable) {
        EXPECT_FALSE(isReadableDatePattern(p.pattern, p.names)) << show(p.pattern);
        EXPECT_FALSE(parseShortDate(u"08 12 2015", p.pattern, p.names));
        EXPECT_EQ(storedDatePattern(p.pattern, p.names), u"dd.MM.yyyy") << show(p.pattern);
    }
    EXPECT_EQ(storedDatePattern(u"dd-MMM-yy", kRu), u"dd-MMM-yy");
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
