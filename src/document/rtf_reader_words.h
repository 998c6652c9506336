// The control words as the control's RTF reader (riched20 as Wine 8 ships it)
// knows them, for reading a note's text without the control (rtf_text.h).
#pragma once

#include <optional>
#include <string_view>

namespace quivra::document {

// The character a control word stands for (\tab, \emdash, the quotes, ...).
std::optional<char16_t> characterWord(std::string_view word);

// Words of a picture's own description; other words inside a picture are
// read as anywhere else.
bool isPictureWord(std::string_view word);

// Words of an object's own description.
bool isObjectWord(std::string_view word);

// Whether the reader knows the word: it takes "\*" before such a word as
// nothing, and skips the group after "\*" and a word it does not know.
bool isKnownWord(std::string_view word);

} // namespace quivra::document
