#include "editor/date_forms.h"

#include "base/utf.h"

#include <string>

namespace quivra::editor {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths = {
    u"Январь", u"Февраль", u"Март",     u"Апрель",  u"Май",    u"Июнь",
    u"Июль",   u"Август",  u"Сентябрь", u"Октябрь", u"Ноябрь", u"Декабрь"};

constexpr std::array<std::u16string_view, 12> kMonthsGenitive = {
    u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
    u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};

constexpr std::array<std::u16string_view, kDateTimeForms.size()> kCaptions = {
    u"ЧЧ:ММ ДД.ММ.ГГГГ",
    u"ДД.ММ.ГГГГ ЧЧ:ММ:СС",
    u"ДД месяца ГГГГ года в ЧЧ:ММ",
    u"ДД.ММ.ГГГГ",
    u"ДД, Месяц, ГГГГ",
    u"ДД месяца ГГГГ года",
    u"ЧЧ:ММ",
    u"ЧЧ:ММ:СС"};

std::u16string_view fromTable(const std::array<std::u16string_view, 12>& table, int month) {
    return month >= 1 && month <= 12 ? table[static_cast<std::size_t>(month - 1)]
                                     : std::u16string_view();
}

std::u16string decimal(int value) {
    return base::utf8ToUtf16(std::to_string(value));
}

// At least two digits, with a leading "0".
std::u16string twoDigits(int value) {
    std::u16string digits = decimal(value);
    if (value >= 0 && value < 10)
        digits.insert(digits.begin(), u'0');
    return digits;
}

std::u16string hoursMinutes(const base::DateTime& t) {
    return twoDigits(t.hour) + u":" + twoDigits(t.minute);
}

// "08 декабря 2015 года"
std::u16string dayMonthYear(const base::DateTime& t) {
    return twoDigits(t.day) + u" " + std::u16string(monthNameGenitive(t.month)) + u" " +
           decimal(t.year) + u" года";
}

} // namespace

std::u16string_view monthName(int month) {
    return fromTable(kMonths, month);
}

std::u16string_view monthNameGenitive(int month) {
    return fromTable(kMonthsGenitive, month);
}

std::u16string_view dateTimeFormCaption(DateTimeForm form) {
    return kCaptions[static_cast<std::size_t>(form)];
}

bool hasFunctionKey(DateTimeForm form) {
    return form == DateTimeForm::TimeAndDate || form == DateTimeForm::Date ||
           form == DateTimeForm::Time;
}

std::u16string dateTimeText(DateTimeForm form, const base::DateTime& now,
                            std::u16string_view shortDate, std::u16string_view longTime) {
    std::u16string date(shortDate);
    std::u16string time(longTime);
    switch (form) {
    case DateTimeForm::TimeAndDate:
        return hoursMinutes(now) + u" " + date;
    case DateTimeForm::DateAndLongTime:
        return date + u" " + time;
    case DateTimeForm::DayMonthYearAtTime:
        return dayMonthYear(now) + u" в " + hoursMinutes(now);
    case DateTimeForm::Date:
        return date;
    case DateTimeForm::DayCommaMonthYear:
        return twoDigits(now.day) + u", " + std::u16string(monthName(now.month)) + u", " +
               decimal(now.year);
    case DateTimeForm::DayMonthYear:
        return dayMonthYear(now);
    case DateTimeForm::Time:
        return hoursMinutes(now);
    case DateTimeForm::LongTime:
        return time;
    }
    return {};
}

} // namespace quivra::editor
