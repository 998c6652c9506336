// The eight forms in which the editor inserts the current date and time. The
// clock's reading and the two texts the locale formats (its short date and its
// long time, for the same moment) come from the caller; every other part is
// written here, the same in every locale.
#pragma once

#include "base/date_time.h"

#include <array>
#include <string>
#include <string_view>

namespace quivra::editor {

// Month names by month number 1-12: "Январь" ... and, for "8 декабря",
// "января" ... Any other number gives empty text.
std::u16string_view monthName(int month);
std::u16string_view monthNameGenitive(int month);

// In the order of the menu items InsertDT, N12, N18, InsertDate, N14, N15,
// InsertTime, N17.
enum class DateTimeForm {
    TimeAndDate,        // 09:05 08.12.2015 (F5)
    DateAndLongTime,    // 08.12.2015 09:05:07
    DayMonthYearAtTime, // 08 декабря 2015 года в 09:05
    Date,               // 08.12.2015 (F6)
    DayCommaMonthYear,  // 08, Декабрь, 2015
    DayMonthYear,       // 08 декабря 2015 года
    Time,               // 09:05 (F7)
    LongTime,           // 09:05:07
};

inline constexpr std::array kDateTimeForms{
    DateTimeForm::TimeAndDate, DateTimeForm::DateAndLongTime,   DateTimeForm::DayMonthYearAtTime,
    DateTimeForm::Date,        DateTimeForm::DayCommaMonthYear, DateTimeForm::DayMonthYear,
    DateTimeForm::Time,        DateTimeForm::LongTime};

// The menu caption ("ЧЧ:ММ ДД.ММ.ГГГГ", ...).
std::u16string_view dateTimeFormCaption(DateTimeForm form);

// True for the three forms with function keys: they insert nothing into a
// read-only note. The others are reached only through menus that a read-only
// note disables.
bool hasFunctionKey(DateTimeForm form);

// The text to insert for `now`. `shortDate` and `longTime` are `now` in the
// locale's short-date and long-time formats.
std::u16string dateTimeText(DateTimeForm form, const base::DateTime& now,
                            std::u16string_view shortDate, std::u16string_view longTime);

} // namespace quivra::editor
