// Repairs of the RTF the editor writes, so that saving a note loses no
// character. Wine's RTF writer has two modes and each drops some code units:
// - plain RTF converts each character into the code page of its font's
//   character set, taking a best-fit look-alike where one exists (é becomes e
//   under 1251); characters the code page lacks are written as \uN and kept;
// - UTF-8 RTF ({\urtf) writes the text as UTF-8 and so turns every surrogate
//   code unit that is not part of a pair into U+FFFD.
// Encrypted text holds arbitrary code units, so both cases occur in notes.
// The shell picks plain RTF when it keeps the text, and otherwise UTF-8 RTF
// repaired by restoreSurrogates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::editor {

// The character sets (\fcharsetN) named in the document's font table, each
// once, in the order met. Fonts without \fcharset use the document's default
// code page and add nothing.
std::vector<int> fontTableCharsets(std::string_view rtf);

// Given UTF-8 RTF as the writer produced it and the text it was written from
// (paragraph breaks as '\r', as the editor reports it), replaces each U+FFFD
// that stands for a surrogate code unit of the text by the escape \uN?, which
// the reader turns back into that unit. Surrogate pairs written as one 4-byte
// sequence stay; a pair written as two U+FFFD is restored too. Returns nothing
// when the document's U+FFFD and 4-byte sequences do not line up with the
// text's surrogates and U+FFFD characters (then it is not the writer's output
// for that text and is better left alone).
std::optional<std::string> restoreSurrogates(std::string_view utf8Rtf, std::u16string_view text);

} // namespace quivra::editor
