#include "search/note_text.h"

#include "base/text_match.h"
#include "base/text_services.h"
#include "document/text_lines.h"

namespace quivra::search {

NoteText::NoteText(std::u16string_view editorText) : lines_(document::splitLines(editorText)) {
    std::u16string joined;
    joined.reserve(editorText.size() + 1);
    lineStarts_.reserve(lines_.size());
    for (const auto& line : lines_) {
        lineStarts_.push_back(joined.size());
        joined += line;
        joined += u' ';
    }
    lowerJoined_ = base::textServices().toLower(joined);
    // Positions must stay the editor's: a lower case of another length (no
    // simple case mapping does that) falls back to the text as it is.
    if (lowerJoined_.size() != joined.size())
        lowerJoined_ = std::move(joined);
}

std::optional<long> NoteText::find(std::u16string_view text, long start) const {
    const base::CaseInsensitiveNeedle needle(text);
    if (needle.empty() || start < 0 || static_cast<std::size_t>(start) > lowerJoined_.size())
        return std::nullopt;
    const std::size_t at = lowerJoined_.find(needle.lower(), static_cast<std::size_t>(start));
    if (at == std::u16string::npos)
        return std::nullopt;
    return static_cast<long>(at);
}

std::vector<long> NoteText::linesContaining(std::u16string_view text) const {
    const base::CaseInsensitiveNeedle needle(text);
    std::vector<long> numbers;
    if (needle.empty())
        return numbers;
    const std::u16string_view joined(lowerJoined_);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (joined.substr(lineStarts_[i], lines_[i].size()).find(needle.lower()) !=
            std::u16string_view::npos)
            numbers.push_back(static_cast<long>(i + 1));
    return numbers;
}

std::optional<Selection> NoteText::lineSelection(long number) const {
    if (number < 1 || static_cast<std::size_t>(number) > lines_.size())
        return std::nullopt;
    const auto i = static_cast<std::size_t>(number - 1);
    return Selection{static_cast<long>(lineStarts_[i]), static_cast<long>(lines_[i].size())};
}

} // namespace quivra::search
