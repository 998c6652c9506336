#include "document/text_replacements_win.h"

#include "base/errors.h"
#include "document/code_pages_win.h"
#include "document/wiped_buffer.h"

#include <algorithm>

namespace quivra::document {

namespace {

// Fewer replacements than this go one by one: a rewrite of the content
// costs what a load of the note costs.
constexpr std::size_t kOneByOne = 20;

void replaceOneByOne(RichEdit& editor, std::span<const base::TextReplacement> replacements) {
    for (auto it = replacements.rbegin(); it != replacements.rend(); ++it) {
        editor.setSelection({static_cast<long>(it->start), static_cast<long>(it->end)});
        editor.replaceSelection(it->text);
    }
}

} // namespace

void replaceInEditor(RichEdit& editor, std::span<const base::TextReplacement> replacements) {
    if (replacements.empty())
        return;
    std::u16string text = editor.text();
    WipedOnExit wipeText(text);
    if (replacements.size() >= kOneByOne)
        if (auto changes = asParagraphChanges(text, replacements)) {
            const auto done = editor.replaceParagraphs(*changes, {}, text);
            for (ParagraphChange& c : *changes)
                std::fill(c.text.begin(), c.text.end(), u'\0');
            if (done != RichEdit::ParagraphsReplaced::Refused)
                return;
        }
    const CharRange kept = editor.selection();
    const POINT scrolled = editor.scrollPosition();
    {
        const auto redraw = editor.suspendRedraw();
        editor.hideSelection(true);
        replaceOneByOne(editor, replacements);
        editor.hideSelection(false);
    }
    editor.restoreView(kept, scrolled);
    editor.setModified(true);
}

std::string rtfWithReplacements(const RichEdit& editor,
                                std::span<const base::TextReplacement> replacements) {
    std::string rtf = editor.rtf();
    WipedOnExit wipeRtf(rtf);
    if (replacements.empty())
        return std::string(rtf);
    std::u16string text = editor.text();
    WipedOnExit wipeText(text);
    if (auto changes = asParagraphChanges(text, replacements)) {
        std::optional<RewrittenRtf> rewritten =
            rewriteParagraphs(rtf, *changes, windowsCodePages());
        for (ParagraphChange& c : *changes)
            std::fill(c.text.begin(), c.text.end(), u'\0');
        if (rewritten &&
            rewritten->paragraphs ==
                static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\r')) + 1)
            return std::move(rewritten->rtf);
        if (rewritten)
            std::fill(rewritten->rtf.begin(), rewritten->rtf.end(), '\0');
    }
    // A control of its own, out of every window, reads the content and takes
    // the replacements as the editor would.
    RichEdit scratch;
    if (!scratch.create(HWND_MESSAGE, 0, RECT{0, 0, 200, 100}))
        throw base::failedToLoadStream();
    scratch.setRtf(rtf);
    replaceOneByOne(scratch, replacements);
    std::string written = scratch.rtf();
    scratch.empty();
    return written;
}

} // namespace quivra::document
