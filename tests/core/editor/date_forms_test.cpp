#include <gtest/gtest.h>

#include "editor/date_forms.h"

using namespace quivra::editor;
using quivra::base::DateTime;

TEST(DateForms, EightFormsOfOneMoment) {
    const DateTime t{2015, 12, 8, 9, 5, 7};
    const std::u16string_view expected[] = {u"09:05 08.12.2015",
                                            u"08.12.2015 09:05:07",
                                            u"08 декабря 2015 года в 09:05",
                                            u"08.12.2015",
                                            u"08, Декабрь, 2015",
                                            u"08 декабря 2015 года",
                                            u"09:05",
                                            u"09:05:07"};
    for (std::size_t i = 0; i < kDateTimeForms.size(); ++i)
        EXPECT_EQ(dateTimeText(kDateTimeForms[i], t, u"08.12.2015", u"09:05:07"), expected[i]) << i;
}

TEST(DateForms, OnlyTheLocalePartsFollowTheLocale) {
    const DateTime t{2015, 12, 8, 21, 5, 7};
    EXPECT_EQ(dateTimeText(DateTimeForm::Date, t, u"12/8/2015", u"9:05:07 PM"), u"12/8/2015");
    EXPECT_EQ(dateTimeText(DateTimeForm::DayMonthYear, t, u"12/8/2015", u"9:05:07 PM"),
              u"08 декабря 2015 года");
    EXPECT_EQ(dateTimeText(DateTimeForm::TimeAndDate, t, u"12/8/2015", u"9:05:07 PM"),
              u"21:05 12/8/2015");
    // Midnight and single digits keep their zeros; the year keeps its digits.
    EXPECT_EQ(dateTimeText(DateTimeForm::DayMonthYearAtTime, {2024, 5, 1, 0, 7, 0}, u"", u""),
              u"01 мая 2024 года в 00:07");
    EXPECT_EQ(dateTimeText(DateTimeForm::DayCommaMonthYear, {987, 1, 31, 0, 0, 0}, u"", u""),
              u"31, Январь, 987");
}

TEST(DateForms, MonthTablesAndMenuFacts) {
    EXPECT_EQ(monthName(1), u"Январь");
    EXPECT_EQ(monthName(5), u"Май");
    EXPECT_EQ(monthNameGenitive(3), u"марта");
    EXPECT_EQ(monthNameGenitive(12), u"декабря");
    EXPECT_TRUE(monthName(0).empty());
    EXPECT_TRUE(monthNameGenitive(13).empty());
    int keyed = 0;
    for (auto form : kDateTimeForms)
        keyed += hasFunctionKey(form);
    EXPECT_EQ(keyed, 3);
    EXPECT_EQ(dateTimeFormCaption(DateTimeForm::DayMonthYearAtTime),
              u"ДД месяца ГГГГ года в ЧЧ:ММ");
}
