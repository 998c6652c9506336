// The text of a note's RTF read without the editor: what the control reports
// as its text after loading the document, paragraphs ended by '\r', so that
// the lines of a note read from its file are the lines the in-note search
// numbers. The reading follows the control's reader (riched20 as Wine 8
// ships it) where its steps decide the text, checked against the control:
// - \par, \sect, \page and a backslash before a line end end a paragraph; the
//   document's last paragraph break goes (the control always ends with one of
//   its own); \line is a space;
// - text and \'hh escapes are taken in the code page in force: 1252 until
//   \ansicpgN, then that of the font (\fcharsetN, \cpgN; a font without
//   either, or of the default set, in the system's); a pair of a double-byte
//   code page is one character; in the symbol set each byte b is U+F000 + b;
//   {\urtf documents are UTF-8; line ends in the source are layout, and a
//   NUL byte of it is a space (one after a control word ends the word);
// - \uN gives the code unit N (signed 16 bits; a word without its number
//   counts as -1000000), and the next \ucN text tokens
//   are its fallback, which the reader drops; a brace met before those is
//   counted twice;
// - \tab, \~, \_, \emdash, \endash, \bullet, the quotes, \emspace,
//   \enspace, \zwj, \zwnj, \ltrmark and \rtlmark give their characters;
// - a picture the control shows (data that starts as a bitmap, a metafile or
//   an enhanced metafile) is one space, others are nothing;
// - hidden text (\v) is text; fields (their instruction and their result),
//   the font, colour and style tables, the document's information,
//   headers, footers, footnotes and list numbers (\pntext) are not
//   (rtf_destinations.h), nor is a group of \* and a word the reader does
//   not know (after \* and a word it knows the group is read); an object
//   gives its \result; the tables' own rules (an entry without its ';') are
//   followed too;
// - a table row is a paragraph "\r\n" before its cells and one after them,
//   each cell ends with a tab; a row has the cells its definition gives it
//   (missing ones added, text beyond the last one dropped), a \cell or \row
//   outside a row begun by \intbl or \itap is dropped, as the control drops
//   those of rows Wine's writer did not mark. Table markup the control reads
//   in yet other ways can give other lines; the program's own notes hold no
//   tables (rtf_output.h writes them as text).
// Nothing is read after the brace that closes the document; a document that
// ends inside a group, or at a \' without its two hexadecimal digits, is one
// the control rejects.
#pragma once

#include "document/rtf_output.h"

#include <optional>
#include <string>
#include <string_view>

namespace quivra::document {

// The text, or none when the control rejects the document. `systemCodePage`
// is the system's ANSI code page.
std::optional<std::u16string> rtfText(std::string_view rtf, const CodePages& codePages,
                                      unsigned systemCodePage);

} // namespace quivra::document
