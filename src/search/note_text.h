// The note's text as the search sees it. The editor's whole text is read once
// and split at the paragraph breaks; the joined text puts one space where each
// break was (and one after the last line), so a position in it is the editor's
// character position, a paragraph break counting one character. Lines are
// searched whole, however long they are. Letter case is ignored through the
// locale's lower case (textServices().toLower).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::search {

// An editor selection: start position and length.
struct Selection {
    long start = 0;
    long length = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};

class NoteText {
  public:
    // `editorText` as the editor reports its whole text: paragraphs ended by
    // '\r' (editor/text_lines.h).
    explicit NoteText(std::u16string_view editorText);

    const std::vector<std::u16string>& lines() const noexcept { return lines_; }

    // The first position at or after `start` where `text` occurs in the joined
    // text, ignoring case. An empty text is found nowhere; a text holding a
    // line break never matches, since the joined text has none.
    std::optional<long> find(std::u16string_view text, long start) const;

    // The numbers (1-based) of the lines whose own text contains `text`,
    // ignoring case, in order. An empty text or an empty line never matches.
    std::vector<long> linesContaining(std::u16string_view text) const;

    // The selection that covers line `number` (1-based) from its first
    // character to its end, without the paragraph break; none when the note
    // has no such line.
    std::optional<Selection> lineSelection(long number) const;

  private:
    std::vector<std::u16string> lines_;
    std::vector<std::size_t> lineStarts_; // in the joined text
    std::u16string lowerJoined_;
};

} // namespace quivra::search
