#include "document/note_form.h"

#include "document/rtf_text.h"

#include <optional>

namespace quivra::document {

NoteForm decideNoteForm(std::string_view bytes, const base::TextServices& services) {
    // A document the control cannot survive is refused, not shown as text:
    // its file stays as it is.
    return startsAsRtf(bytes) ? rtfNoteForm(bytes) : plainNoteForm(bytes, services);
}

NoteForm plainNoteForm(std::string_view bytes, const base::TextServices& services) {
    const std::optional<std::u16string> text = decodePlainText(bytes, services);
    if (!text)
        return {};
    NoteForm form = textNoteForm(*text);
    form.encoding = detectPlainEncoding(bytes).encoding;
    return form;
}

NoteForm rtfNoteForm(std::string_view rtf) {
    if (!startsAsRtf(rtf))
        return {};
    const RtfScan scan = scanRtf(rtf);
    NoteForm form;
    form.kind = scan.safe() ? NoteFormKind::Rtf : NoteFormKind::Refused;
    form.hazard = scan.hazard;
    if (scan.safe())
        form.load = {rtf.size(), scan.paragraphs, scan.longestParagraph};
    return form;
}

std::optional<std::u16string> noteFileText(std::string_view bytes,
                                           const base::TextServices& services,
                                           const CodePages& codePages, unsigned systemCodePage) {
    NoteForm form = decideNoteForm(bytes, services);
    switch (form.kind) {
    case NoteFormKind::Rtf:
        if (auto text = rtfText(bytes, codePages, systemCodePage))
            return text;
        // RTF the control rejects is shown as its text.
        form = plainNoteForm(bytes, services);
        if (form.refused())
            return std::nullopt;
        return std::move(form.text);
    case NoteFormKind::PlainText:
        return std::move(form.text);
    case NoteFormKind::Refused:
        break;
    }
    return std::nullopt;
}

NoteForm textNoteForm(std::u16string_view text) {
    NoteForm form;
    form.kind = NoteFormKind::PlainText;
    form.text = withParagraphBreaks(text);
    form.load = measurePlainText(form.text);
    return form;
}

} // namespace quivra::document
