// Reading a note file that the editor refused as RTF: the encoding is chosen
// by the file's first bytes, and bytes that are not text are refused, so that
// a damaged or foreign file is never shown as a note and written back over
// itself.
#pragma once

#include "base/text_services.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::document {

enum class PlainEncoding { Utf16LittleEndian, Utf16BigEndian, Utf8, Ansi };

struct EncodingMark {
    PlainEncoding encoding;
    std::size_t length; // bytes of the byte-order mark, 0 for ANSI
};

// FF FE: UTF-16 little-endian; FE FF: UTF-16 big-endian; EF BB BF: UTF-8;
// anything else: the system's ANSI code page.
EncodingMark detectPlainEncoding(std::string_view bytes) noexcept;

// The text of a plain-text file, without its byte-order mark, or nothing when
// the bytes are not text:
// - UTF-8 marked, but the rest is not well-formed UTF-8;
// - UTF-16 marked, but an odd number of bytes follows the mark;
// - the decoded text holds a NUL character (binary data; also what an
//   unmarked UTF-16 file looks like when read as ANSI).
// Unpaired surrogates in UTF-16 are kept: they are text the editor can hold.
std::optional<std::u16string> decodePlainText(std::string_view bytes,
                                              const base::TextServices& services);

// Every line end ("\r\n", a lone '\n' or '\r') as the editor's paragraph
// break '\r'. The control reads text in pieces and takes a "\r\n" that falls
// across two pieces for two breaks, which adds empty lines to a long text.
std::u16string withParagraphBreaks(std::u16string_view text);

} // namespace quivra::document
