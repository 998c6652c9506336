// Replacing the text of many paragraphs of a note at once, over its RTF.
// Wine's control takes a replacement of the selection the longer the more
// text it holds, so changing every line of a big note one selection at a
// time costs many times what loading the whole note costs; rewriting the
// note's RTF and loading it once costs a load.
//
// The result is what replacing each changed line in the control gives: the
// new text takes the character format in force at the paragraph's first
// character (formatting that changes inside the line is lost), paragraph
// formatting stays, and every other paragraph is kept byte for byte.
#pragma once

#include "base/text_diff.h"
#include "document/rtf_output.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::document {

struct ParagraphChange {
    // The paragraph, from 0, as splitLines counts the lines of the text.
    std::size_t index = 0;
    // Its new text: no paragraph break (no '\r', '\n' or NUL); may be empty.
    std::u16string text;
};

struct RewrittenRtf {
    std::string rtf;
    // The paragraphs the document holds, an empty last one included: the
    // control reads it as a text with one '\r' fewer.
    std::size_t paragraphs = 0;
};

// Rewrites standard RTF as RichEdit::rtf() writes it (rtf_output.h) with the
// changes applied, listed by increasing index. The new text is written as
// the standard writer writes text: \'hh for what the code page of the font
// in force holds, \uN? for every other code unit (lone surrogates included),
// which the document's \uc1 makes readers read back exactly.
// Nothing when the rewrite cannot place the paragraphs safely: tables (the
// standard writer writes each row as one paragraph, while the control holds
// its cells as paragraphs of their own), pictures and objects (characters of
// the text that a rewritten paragraph would drop), fields, binary data,
// \uc other than 1; or when a change names no paragraph of the document or
// the list is not in increasing order. The caller then changes the lines in
// the control.
std::optional<RewrittenRtf> rewriteParagraphs(std::string_view rtf,
                                              std::span<const ParagraphChange> changes,
                                              const CodePages& codePages);

// The replacements of code units of `text` as changes of whole paragraphs,
// by increasing index; nothing when one crosses or makes a paragraph break.
std::optional<std::vector<ParagraphChange>>
asParagraphChanges(std::u16string_view text, std::span<const base::TextReplacement> replacements);

// Whether `after` is the text `before` (paragraph breaks as '\r') with the
// changes made, listed by increasing index.
bool readsAsChanged(std::u16string_view before, std::u16string_view after,
                    std::span<const ParagraphChange> changes);

} // namespace quivra::document
