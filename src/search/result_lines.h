// The line filter: the note's lines that contain the search text, listed in
// the result view as "<n> text", and the way back from a listed line to the
// note's line for the jump.
#pragma once

#include "search/note_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::search {

// "<" + number + "> " + text.
std::u16string resultLine(long number, std::u16string_view text);

// The result view's lines for the search text, in the note's order.
std::vector<std::u16string> resultLines(const NoteText& note, std::u16string_view text);

// The number between the first '<' and the first '>' of a result line. Throws
// quivra::UserError "'<text>' is not a valid integer value" with the text
// between them when that is no integer (for example a wrapped result line's
// continuation, where it is empty).
long resultLineNumber(std::u16string_view line);

// The selection of the note's line that a result line names. None when the note
// has no lines, the result line is empty, or the note no longer has that line
// (it changed after the list was filled). Throws as resultLineNumber.
std::optional<Selection> jumpTarget(const NoteText& note, std::u16string_view line);

} // namespace quivra::search
