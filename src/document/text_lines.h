// The editor's lines taken from its whole text at once. Reading every line
// with its own request costs time quadratic in the number of lines; splitting
// the text gives the same lines while word wrap is off.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quivra::document {

// Splits at the paragraph breaks ('\r'; a line break inside a paragraph, '\v',
// does not end a line). A final empty line is not counted, so an empty text
// has no lines and "a\r" has one.
std::vector<std::u16string> splitLines(std::u16string_view text);

} // namespace quivra::document
