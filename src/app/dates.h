// Calendar dates in the user's short date format, and whole days between two
// dates. The format is a Windows date picture such as "dd.MM.yyyy" (ru-RU),
// "M/d/yyyy" (en-US), "d.M.yy" or "yyyy-MM-dd":
//   d, dd     day without / with a leading zero
//   M, MM     month without / with a leading zero
//   y, yy     year without century, without / with a leading zero
//   yyy...    year with century (four digits)
//   'text'    literal text; '' is a single quote
// and every other character stands for itself. Day and month names (ddd, dddd,
// MMM, MMMM) and the era (g, gg) are not supported: formatting leaves them
// out and parsing refuses a picture that has them (see isNumericDatePattern).
#pragma once

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

// True when the picture holds a day, a month and a year and nothing but
// numeric fields and literal text, so that parsing can read what formatting
// wrote.
bool isNumericDatePattern(std::u16string_view pattern);

// The date written with the picture. The date should be valid.
std::u16string formatShortDate(CivilDate date, std::u16string_view pattern);

// Reads a date written with the picture. Day and month take one or two digits
// whatever the picture's width; the year takes two digits (1930-2029: 30 is
// 1930, 29 is 2029) or four. Literal text must match exactly. Refused: empty
// text, missing or extra characters, a day or month out of range, pictures
// that are not numeric. Two numeric fields with nothing between them are read
// at the picture's widths ("yyyyMMdd").
std::optional<CivilDate> parseShortDate(std::u16string_view text, std::u16string_view pattern);

// Whole days between the two dates, never negative: the order does not matter.
long long daysBetween(CivilDate a, CivilDate b);

} // namespace quivra::app
