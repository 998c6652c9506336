// Replacing pieces of a note's text while keeping the rest of its rich
// text: in the editor itself, or in a copy of its content written out as
// RTF with the editor left as it is.
#pragma once

#include "base/text_diff.h"
#include "document/rich_edit_win.h"

#include <span>
#include <string>

namespace quivra::document {

// Makes the replacements (positions of the editor's text(), increasing,
// none overlapping) in the editor: each new text takes the format of the
// first character it replaces. Many within paragraphs go in one rewrite of
// the content, which keeps the selection and the scroll position. Sets the
// modified flag.
void replaceInEditor(RichEdit& editor, std::span<const base::TextReplacement> replacements);

// The editor's content as RTF with the replacements made, the editor itself
// unchanged: its RTF rewritten where every replacement stays inside a
// paragraph and the content allows it (rtf_paragraphs.h), else made in a
// hidden control of its own.
std::string rtfWithReplacements(const RichEdit& editor,
                                std::span<const base::TextReplacement> replacements);

} // namespace quivra::document
