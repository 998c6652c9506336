#include "app/dates.h"

#include <vector>

#include "base/text_services.h"
#include "base/utf.h"

namespace quivra::app {

namespace {

enum class Field { Day, Month, Year, DayName, MonthName, Literal, Unsupported };

struct Token {
    Field field;
    int count = 0;       // letters in the picture, for the numeric fields
    std::u16string text; // for literals
};

void appendLiteral(std::vector<Token>& tokens, char16_t c) {
    if (tokens.empty() || tokens.back().field != Field::Literal)
        tokens.push_back({Field::Literal, 0, {}});
    tokens.back().text += c;
}

std::vector<Token> tokenize(std::u16string_view pattern) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char16_t c = pattern[i];
        if (c == u'\'') {
            if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
                appendLiteral(tokens, u'\'');
                i += 2;
                continue;
            }
            // Quoted text runs to the next lone quote (or to the end).
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] == u'\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
                        appendLiteral(tokens, u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                appendLiteral(tokens, pattern[i++]);
            }
            continue;
        }
        if (c == u'd' || c == u'M' || c == u'y' || c == u'g') {
            std::size_t run = 1;
            while (i + run < pattern.size() && pattern[i + run] == c)
                ++run;
            i += run;
            const int count = static_cast<int>(run);
            Field field = Field::Unsupported;
            if (c == u'y')
                field = Field::Year;
            else if (c == u'd')
                field = count <= 2 ? Field::Day : Field::DayName;
            else if (c == u'M')
                field = count <= 2 ? Field::Month : Field::MonthName;
            tokens.push_back({field, count, {}});
            continue;
        }
        appendLiteral(tokens, c);
        ++i;
    }
    return tokens;
}

bool isNumeric(Field f) {
    return f == Field::Day || f == Field::Month || f == Field::Year;
}

template <std::size_t N> bool allNamed(const std::array<std::u16string, N>& names) {
    for (const auto& n : names)
        if (n.empty())
            return false;
    return true;
}

// The names a field is written with: full for four letters or more.
const std::array<std::u16string, 12>& monthNames(const Token& t, bool genitive,
                                                 const DateNames& names) {
    const bool full = t.count >= 4;
    if (genitive) {
        const auto& g = full ? names.genitiveMonths : names.genitiveShortMonths;
        if (allNamed(g))
            return g;
    }
    return full ? names.months : names.shortMonths;
}

const std::array<std::u16string, 7>& dayNames(const Token& t, const DateNames& names) {
    return t.count >= 4 ? names.days : names.shortDays;
}

bool hasDayNumber(const std::vector<Token>& tokens) {
    for (const auto& t : tokens)
        if (t.field == Field::Day)
            return true;
    return false;
}

bool isReadablePicture(const std::vector<Token>& tokens, const DateNames& names) {
    int days = 0, months = 0, years = 0;
    for (const auto& t : tokens) {
        switch (t.field) {
        case Field::Unsupported:
            return false;
        case Field::MonthName:
            if (!allNamed(monthNames(t, false, names)))
                return false;
            break;
        case Field::DayName:
            if (!allNamed(dayNames(t, names)))
                return false;
            break;
        default:
            break;
        }
        days += t.field == Field::Day;
        months += t.field == Field::Month || t.field == Field::MonthName;
        years += t.field == Field::Year;
    }
    return days == 1 && months == 1 && years == 1;
}

// The longest of the names that starts `text` ignoring case: its index and
// length.
template <std::size_t N>
void longestName(std::u16string_view text, const std::array<std::u16string, N>& list,
                 std::optional<std::size_t>& index, std::size_t& length) {
    for (std::size_t i = 0; i < N; ++i) {
        const auto& name = list[i];
        if (name.empty() || name.size() <= length || name.size() > text.size())
            continue;
        if (base::equalsIgnoreCase(text.substr(0, name.size()), name)) {
            index = i;
            length = name.size();
        }
    }
}

std::u16string padded(long long value, int width) {
    std::u16string digits = base::utf8ToUtf16(std::to_string(value));
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), u'0');
    return digits;
}

// Widest digit run a field is written with.
int naturalWidth(const Token& t) {
    return t.field == Field::Year && t.count > 2 ? 4 : 2;
}

bool isLeapYear(long long y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 to the date, for any year (64-bit, no overflow for int
// fields; months outside 1-12 are not expected).
long long daysFromCivil(CivilDate date) {
    long long y = date.year;
    const long long m = date.month;
    const long long d = date.day;
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

bool isValidDate(CivilDate date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

bool isReadableDatePattern(std::u16string_view pattern, const DateNames& names) {
    return isReadablePicture(tokenize(pattern), names);
}

std::u16string_view storedDatePattern(std::u16string_view userPattern, const DateNames& names) {
    return isReadableDatePattern(userPattern, names) ? userPattern : u"dd.MM.yyyy";
}

std::u16string formatShortDate(CivilDate date, std::u16string_view pattern,
                               const DateNames& names) {
    const auto tokens = tokenize(pattern);
    const bool genitive = hasDayNumber(tokens);
    std::u16string out;
    for (const auto& t : tokens) {
        switch (t.field) {
        case Field::Day:
            out += padded(date.day, t.count);
            break;
        case Field::Month:
            out += padded(date.month, t.count);
            break;
        case Field::Year:
            out += t.count > 2 ? padded(date.year, 4) : padded(date.year % 100, t.count);
            break;
        case Field::MonthName:
            out += monthNames(t, genitive, names)[static_cast<std::size_t>(date.month - 1)];
            break;
        case Field::DayName: {
            // 1 January 1970 was a Thursday (index 3 from Monday).
            const long long weekday = ((daysFromCivil(date) + 3) % 7 + 7) % 7;
            out += dayNames(t, names)[static_cast<std::size_t>(weekday)];
            break;
        }
        case Field::Literal:
            out += t.text;
            break;
        case Field::Unsupported:
            break;
        }
    }
    return out;
}

std::optional<CivilDate> parseShortDate(std::u16string_view text, std::u16string_view pattern,
                                        const DateNames& names) {
    const auto tokens = tokenize(pattern);
    if (!isReadablePicture(tokens, names))
        return std::nullopt;

    CivilDate date;
    std::size_t pos = 0;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (t.field == Field::Literal) {
            if (text.substr(pos, t.text.size()) != t.text)
                return std::nullopt;
            pos += t.text.size();
            continue;
        }
        if (t.field == Field::MonthName || t.field == Field::DayName) {
            std::optional<std::size_t> index;
            std::size_t length = 0;
            const auto rest = text.substr(pos);
            if (t.field == Field::MonthName) {
                for (const auto* list : {&names.months, &names.shortMonths, &names.genitiveMonths,
                                         &names.genitiveShortMonths})
                    longestName(rest, *list, index, length);
                if (index)
                    date.month = static_cast<int>(*index) + 1;
            } else {
                longestName(rest, names.days, index, length);
                longestName(rest, names.shortDays, index, length);
            }
            if (!index)
                return std::nullopt;
            pos += length;
            continue;
        }
        const bool adjacent = k + 1 < tokens.size() && isNumeric(tokens[k + 1].field);
        const int maxDigits = adjacent ? naturalWidth(t) : (t.field == Field::Year ? 4 : 2);
        int value = 0;
        int digits = 0;
        while (digits < maxDigits && pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
            value = value * 10 + (text[pos] - u'0');
            ++pos;
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        switch (t.field) {
        case Field::Day:
            date.day = value;
            break;
        case Field::Month:
            date.month = value;
            break;
        default:
            if (digits == 3)
                return std::nullopt;
            // The two-digit year window of Windows' default settings.
            if (digits <= 2)
                value += value < 30 ? 2000 : 1900;
            date.year = value;
            break;
        }
    }
    if (pos != text.size() || !isValidDate(date))
        return std::nullopt;
    return date;
}

long long daysBetween(CivilDate a, CivilDate b) {
    const long long diff = daysFromCivil(a) - daysFromCivil(b);
    return diff < 0 ? -diff : diff;
}

} // namespace quivra::app
