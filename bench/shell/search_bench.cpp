// One keystroke of the search while typing on a note of 10,000 lines with the
// line filter on: the search box's change runs the whole search (the note's
// text read once and split at its paragraph breaks, the hit selected, the
// matching lines listed in the result view). For comparison, the same
// keystroke done with the note read line by line through the control's
// get-line request (once for the joined text, once more for the filter),
// each line cut at 4096 characters, and every line listed at once. The
// program lists the first 50 lines at once and the rest in pieces after the
// keystroke; the time until the whole list is in is shown too.
#include "in_process.h"

#include "base/ini_file.h"
#include "base/text_match.h"
#include "search/find_steps.h"
#include "search/result_lines.h"

#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kLines = 10000;
constexpr int kRounds = 5;

// Lines of Russian and English words; every tenth holds "заметка".
std::string noteText() {
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        text += std::to_string(i) + ". ";
        for (int w = 0; w < 6; ++w) {
            text += noteWord(i, w);
            text += ' ';
        }
        if (i % 10 == 0)
            text += "\xE7\xE0\xEC\xE5\xF2\xEA\xE0"; // "заметка"
        text += "\r\n";
    }
    return text;
}

// The keystroke as the control's get-line request would serve it: every line
// read once for the joined text and once more for the filter.
void lineByLineKeystroke(document::RichEdit& note, document::RichEdit& results,
                         std::u16string_view searched) {
    std::u16string editorText;
    const int count = note.lineCount();
    for (int i = 0; i < count; ++i) {
        editorText += note.line(i);
        editorText += u'\r';
    }
    const search::NoteText text(editorText);
    const search::SearchStep step = search::searchWhileTyping(text, searched);
    if (step.change == search::SelectionChange::Set)
        note.setSelection({step.selection.start, step.selection.start + step.selection.length});
    std::u16string filtered;
    const base::CaseInsensitiveNeedle needle(searched);
    for (int i = 0; i < count; ++i) {
        const std::u16string line = note.line(i);
        if (needle.occursIn(line))
            filtered += search::resultLine(i + 1, line) + u'\r';
    }
    const auto redraw = results.suspendRedraw();
    results.setPlainText(filtered);
}

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-search");
    folder.rememberNote(L"Большая", noteText());
    base::IniFile ini = folder.settings();
    ini.writeString(u"Options", u"DynamicSearch", u"1");
    ini.writeString(u"Options", u"SearchFilter", u"1");
    auto form = folder.startShown();
    if (!form)
        return 1;
    document::RichEdit& note = form->note();
    if (note.lineCount() != kLines) {
        std::printf("the note did not open with %d lines (%d)\n", kLines, note.lineCount());
        return 1;
    }
    HWND box = form->search().findEdit();
    SetWindowTextW(box, L"замет");
    SendMessageW(box, EM_SETSEL, 5, 5); // typing goes on at the end
    pumpMessages();

    search::ResultsArea& results = form->search().results();
    const auto finishFill = [&] {
        while (results.filling())
            pumpMessages();
    };
    finishFill();
    std::vector<double> typed, listedAll, erased, byLine, readOnce, readByLine;
    for (int i = 0; i < kRounds; ++i) {
        Stopwatch clock;
        SendMessageW(box, WM_CHAR, L'к', 1); // "заметк": 1,000 lines listed
        typed.push_back(clock.ms());
        finishFill();
        listedAll.push_back(clock.ms());
        clock.restart();
        SendMessageW(box, WM_CHAR, 8, 1); // back to "замет"
        erased.push_back(clock.ms());
        finishFill();
        clock.restart();
        lineByLineKeystroke(note, form->search().resultView(), u"заметк");
        byLine.push_back(clock.ms());
        clock.restart();
        const std::u16string whole = note.text();
        readOnce.push_back(clock.ms());
        clock.restart();
        for (int l = 0, count = note.lineCount(); l < count; ++l)
            note.line(l);
        readByLine.push_back(clock.ms());
        pumpMessages();
    }
    const auto listedLines = form->search().results().lines().size();
    std::printf("Search while typing on a note of %d lines (%ld characters), line filter on, "
                "%zu lines listed (%d rounds):\n",
                kLines, note.textLength(), listedLines, kRounds);
    row("keystroke, text read once (the program)", typed);
    row("  until all the lines are listed (pieces posted)", listedAll);
    row("keystroke back (Backspace), text read once", erased);
    row("the same keystroke with line-by-line reading", byLine);
    row("  of which: the whole text read once (EM_GETTEXTEX)", readOnce);
    row("  of which: every line read once (EM_GETLINE)", readByLine);
    std::fflush(stdout);
    return 0;
}
