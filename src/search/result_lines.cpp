#include "search/result_lines.h"

#include "base/errors.h"
#include "base/ini_file.h"

#include <string>

namespace quivra::search {

std::u16string resultLine(long number, std::u16string_view text) {
    const std::string digits = std::to_string(number);
    std::u16string line;
    line.reserve(digits.size() + 3 + text.size());
    line.push_back(u'<');
    line.append(digits.begin(), digits.end());
    line.append(u"> ");
    line.append(text);
    return line;
}

std::vector<std::u16string> resultLines(const NoteText& note, std::u16string_view text) {
    std::vector<std::u16string> listed;
    for (long number : note.linesContaining(text))
        listed.push_back(resultLine(number, note.lines()[static_cast<std::size_t>(number - 1)]));
    return listed;
}

long resultLineNumber(std::u16string_view line) {
    // Taken as a copy from just after the first '<' up to the first '>': a
    // missing '<' counts as one before the line, and a '>' missing or before
    // the '<' leaves nothing.
    const std::size_t open = line.find(u'<');
    const std::size_t close = line.find(u'>');
    const std::size_t from = open == std::u16string_view::npos ? 0 : open + 1;
    std::u16string_view digits;
    if (close != std::u16string_view::npos && close > from)
        digits = line.substr(from, close - from);
    // The same integer rule as the settings files: decimal with a sign, or hex.
    if (const auto number = base::parseProfileInteger(digits))
        return *number;
    throw base::notValidInteger(digits);
}

std::optional<Selection> jumpTarget(const NoteText& note, std::u16string_view line) {
    if (note.lines().empty() || line.empty())
        return std::nullopt;
    return note.lineSelection(resultLineNumber(line));
}

} // namespace quivra::search
