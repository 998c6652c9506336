// What a note file is, decided from its bytes alone before the editor is
// touched: RTF the control can read (the guard passed it, rtf_guard.h), plain
// text already decoded (plain_text.h), or a file the program refuses, which
// then leaves the editor as it was. The decision also measures what the load
// will cost the control (load_size.h), so that the editor knows beforehand
// whether to show its progress.
#pragma once

#include "base/errors.h"
#include "base/text_services.h"
#include "document/load_size.h"
#include "document/plain_text.h"
#include "document/rtf_output.h"
#include "document/rtf_guard.h"

#include <optional>
#include <string>
#include <string_view>

namespace quivra::document {

enum class NoteFormKind { Rtf, PlainText, Refused };

struct NoteForm {
    NoteFormKind kind = NoteFormKind::Refused;
    // PlainText: the text with every line end as the paragraph break '\r',
    // ready to stream in as UTF-16, and the encoding it was read in.
    std::u16string text;
    PlainEncoding encoding = PlainEncoding::Ansi;
    // Refused RTF: what the guard found. None for bytes refused as not text.
    RtfHazard hazard = RtfHazard::None;
    // Rtf and PlainText: what streaming it in costs.
    LoadMeasure load;

    bool refused() const noexcept { return kind == NoteFormKind::Refused; }
    // What the user is told about a refused file.
    base::UserError refusal() const { return base::failedToLoadStream(); }
};

// A note file's bytes: RTF when they start as RTF (startsAsRtf) and the guard
// passes them, refused when they start as RTF and it does not; else plain
// text in the encoding the first bytes give, refused when they are not text.
// An Rtf form is streamed in from the same bytes.
NoteForm decideNoteForm(std::string_view bytes, const base::TextServices& services);

// The bytes read as plain text whatever they start with: for RTF the control
// rejects although the guard passed it, which is then shown as its text.
NoteForm plainNoteForm(std::string_view bytes, const base::TextServices& services);

// RTF the program made itself (a note kept in memory): RTF when the guard
// passes it, else refused.
NoteForm rtfNoteForm(std::string_view rtf);

// The text a note file shows in the editor, read without it: RTF the guard
// passes as rtfText reads it (rtf_text.h), other bytes as plain text the way
// the loader decodes them, paragraphs ended by '\r'; nothing for a file the
// loader refuses.
std::optional<std::u16string> noteFileText(std::string_view bytes,
                                           const base::TextServices& services,
                                           const CodePages& codePages, unsigned systemCodePage);

// Text the program made itself: '\n', '\r' and "\r\n" each become a
// paragraph break.
NoteForm textNoteForm(std::u16string_view text);

} // namespace quivra::document
