#include "search/all_notes_search.h"

#include "base/text_match.h"

namespace quivra::search {

namespace {

void appendNumber(std::u16string& out, std::size_t n) {
    const std::string digits = std::to_string(n);
    out.append(digits.begin(), digits.end());
}

} // namespace

AllNotesResults searchAllNotes(const NoteCorpus& corpus, std::u16string_view text,
                               std::size_t limit) {
    AllNotesResults results;
    const base::CaseInsensitiveNeedle needle(text);
    const std::u16string& wanted = needle.lower();
    // A line break never matches (the box is one line), nor does a blank.
    if (needle.empty() || wanted.find_first_of(u"\r\n\uFFFF") != std::u16string::npos)
        return results;
    corpus.forEach([&](const ListedNote& note, const NoteContent* content) {
        if (!content)
            return;
        const std::u16string& lower = content->lower;
        for (std::size_t at = lower.find(wanted); at != std::u16string::npos;) {
            const std::size_t line = content->lineOf(at);
            if (results.hits.size() < limit) {
                const auto number = static_cast<long>(line + 1);
                results.hits.push_back({note.name, number, at - content->lineStarts[line]});
                results.lines.push_back(hitLine(note.name, number, content->line(line)));
            } else {
                ++results.more;
            }
            if (line + 1 >= content->lineStarts.size())
                break;
            at = lower.find(wanted, content->lineStarts[line + 1]);
        }
    });
    if (results.more > 0)
        results.lines.push_back(moreHitsLine(results.more));
    return results;
}

std::u16string hitLine(std::u16string_view note, long line, std::u16string_view text) {
    std::u16string out;
    out.reserve(note.size() + text.size() + 12);
    out.append(note);
    out.append(u": ");
    appendNumber(out, static_cast<std::size_t>(line));
    out.push_back(u' ');
    out.append(text);
    return out;
}

std::u16string moreHitsLine(std::size_t more) {
    std::u16string out = u"… и ещё ";
    appendNumber(out, more);
    const std::size_t lastTwo = more % 100, last = more % 10;
    const bool teen = lastTwo >= 11 && lastTwo <= 14;
    if (!teen && last == 1)
        out.append(u" совпадение");
    else if (!teen && last >= 2 && last <= 4)
        out.append(u" совпадения");
    else
        out.append(u" совпадений");
    return out;
}

std::optional<Selection> hitInNote(const NoteText& note, const NoteHit& hit,
                                   std::u16string_view text) {
    const base::CaseInsensitiveNeedle needle(text);
    if (needle.empty())
        return std::nullopt;
    const auto length = static_cast<long>(text.size());
    if (const auto line = note.lineSelection(hit.line)) {
        const long at = line->start + static_cast<long>(hit.column);
        if (hit.column + text.size() <= static_cast<std::size_t>(line->length) &&
            note.find(text, at) == at)
            return Selection{at, length};
        if (const auto found = note.find(text, line->start);
            found && *found + length <= line->start + line->length)
            return Selection{*found, length};
    }
    if (const auto found = note.find(text, 0))
        return Selection{*found, length};
    return std::nullopt;
}

} // namespace quivra::search
