// Calendar dates in the user's short date format, and whole days between two
// dates. The format is a Windows date picture such as "dd.MM.yyyy" (ru-RU),
// "M/d/yyyy" (en-US), "d.M.yy", "yyyy-MM-dd" or "dd-MMM-yy":
//   d, dd     day without / with a leading zero
//   ddd, dddd abbreviated / full day-of-week name
//   M, MM     month without / with a leading zero
//   MMM, MMMM abbreviated / full month name
//   y, yy     year without century, without / with a leading zero
//   yyy...    year with century (four digits)
//   'text'    literal text; '' is a single quote
// and every other character stands for itself. The era (g, gg) is not
// supported: formatting leaves it out and parsing refuses a picture that has
// it. The names come from the user's locale (DateNames).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::app {

// A proleptic Gregorian date.
struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Year 1-9999, month 1-12, day within the month (29 February in leap years).
bool isValidDate(CivilDate date);

// The locale's month and day names. Months run from January, days from
// Monday. The genitive forms ("8 декабря") are used for a month name next to
// a day number where the locale has them; empty ones fall back to the plain
// names.
struct DateNames {
    std::array<std::u16string, 12> months, shortMonths;
    std::array<std::u16string, 12> genitiveMonths, genitiveShortMonths;
    std::array<std::u16string, 7> days, shortDays;
};

// True when the picture holds one day number, one month (number or name) and
// one year, any day-of-week names and literal text, and the names it uses are
// known, so that parsing can read what formatting wrote.
bool isReadableDatePattern(std::u16string_view pattern, const DateNames& names = {});

// The picture dates are written and read with: the user's own where it can be
// read back, else "dd.MM.yyyy" (a picture without a year, say, could not
// hold a first day of use).
std::u16string_view storedDatePattern(std::u16string_view userPattern, const DateNames& names);

// The date written with the picture. The date should be valid.
std::u16string formatShortDate(CivilDate date, std::u16string_view pattern,
                               const DateNames& names = {});

// Reads a date written with the picture. Day and month take one or two digits
// whatever the picture's width; the year takes two digits (1930-2029: 30 is
// 1930, 29 is 2029) or four. Month and day names match any of the locale's
// forms whatever the letter case; a day-of-week name is not checked against
// the date. Literal text must match exactly. Refused: empty text, missing or
// extra characters, a day or month out of range, pictures that are not
// readable. Two numeric fields with nothing between them are read at the
// picture's widths ("yyyyMMdd").
std::optional<CivilDate> parseShortDate(std::u16string_view text, std::u16string_view pattern,
                                        const DateNames& names = {});

// Whole days between the two dates, never negative: the order does not matter.
long long daysBetween(CivilDate a, CivilDate b);

} // namespace quivra::app
