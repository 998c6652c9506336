// Where a note's text holds cipher text, for the search across all notes,
// which finds nothing there. Nothing marks cipher text in a note, so it is
// told by its form:
// - a strong token: "QV1:" and a run of base64url characters at least as
//   long as the shortest token's (salt, nonce and tag: 59 characters), which
//   no word of a text is; a token written right after a word (an encrypted
//   selection) counts from its prefix on;
// - a line of the compatible cipher holding a code unit that typed text
//   never holds: a control character other than the tab and the breaks the
//   editor keeps inside a paragraph ('\t', '\n', '\v', '\f'), a surrogate
//   without its pair, or U+FFFE or U+FFFF. The cipher gives each code unit
//   one of four 16-bit masks by its position, so a line of letters turns
//   into code units of a few random blocks of 256; about one line in ten
//   lands in the surrogates and shows here. The other lines are not told
//   from text (nothing in them says they are cipher text); being random code
//   units, they hold a typed word of two letters or more only by a chance of
//   about one in four thousand million per position.
#pragma once

#include "crypto/comment_brackets.h"

#include <string_view>
#include <vector>

namespace quivra::crypto {

// The ranges of cipher text in a note's text (paragraphs separated by '\r'),
// in order and apart from each other. In a line of the compatible cipher,
// the runs of code units that are no ordinary text (letters of the Latin,
// Greek and Cyrillic scripts, ASCII, punctuation): plain words beside an
// encrypted selection stay searchable.
std::vector<TextRange> cipherTextRanges(std::u16string_view noteText);

} // namespace quivra::crypto
