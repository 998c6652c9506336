// How the control's RTF reader (riched20 as Wine 8 ships it) treats the rest
// of a group after a destination's control word. The note guard and the
// reading of a note's text without the control follow the same lists.
#pragma once

#include <string_view>

namespace quivra::document {

// Destinations after which the reader skips the rest of the group, found by
// streaming "{\rtf1 {\WORD qx}y}" for each of the 6,584 words found in
// riched20.dll and keeping those that lost "qx".
bool readerSkipsRest(std::string_view word);

// Destinations whose reader takes every token of the group itself, but
// follows the braces of the group by its own rules: a font table entry that
// is missing a brace ends the table early and the rest of the group is read
// as text ("{\fonttbl{;\pngblip}\cellx5400\intbl...").
bool readerOwnsRest(std::string_view word);

// Destinations whose reader routes some of the group's tokens and skips
// others: a picture gives no text, an object its \result.
bool readerReadsPartOfRest(std::string_view word);

} // namespace quivra::document
