// The search across all notes in the program's window on 2,000 notes of
// 20 KB of RTF (40 MB): the first search, which reads every note in the
// search's thread; a keystroke once the texts are read, from the character
// typed until the results are listed, and how long the keystroke itself
// takes (typing never waits for the search); a search after one note
// changed, which looks at every file again and reads that one.
#include "in_process.h"

#include "../common/note_corpus_files.h"
#include "search/search_controller_win.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kRounds = 5;

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-all-notes");
    writeCorpus(folder.notesFolder());
    folder.settings().writeString(u"Options", u"CurrentNoteName", corpusNoteName(0));
    auto form = folder.startShown();
    if (!form)
        return 1;
    search::SearchController& search = form->search();
    search::AllNotesMode& mode = search.allNotes();
    HWND box = search.findEdit();
    const auto waitListed = [&] {
        while (!mode.listed()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pumpMessages();
        }
        while (search.results().filling())
            pumpMessages();
    };
    const auto typeText = [&](const wchar_t* text) {
        SetWindowTextW(box, text);
        SendMessageW(box, EM_SETSEL, 0x7FFF, 0x7FFF); // typing goes on at the end
    };

    std::vector<double> first, keyWide, keyWideReturn, keyNarrow, keyNarrowReturn, changed;
    // The first search: every note read (once: the texts stay read).
    search.SearchAllNotes();
    Stopwatch clock;
    typeText(L"метка1999");
    waitListed();
    first.push_back(clock.ms());
    const auto listedFirst = search.results().lines();

    for (int round = 0; round < kRounds; ++round) {
        // A keystroke that lists a thousand lines and says how many more.
        typeText(L"замет");
        waitListed();
        clock.restart();
        SendMessageW(box, WM_CHAR, L'к', 1);
        keyWideReturn.push_back(clock.ms());
        waitListed();
        keyWide.push_back(clock.ms());
        // One that lists a few lines.
        typeText(L"метка12");
        waitListed();
        clock.restart();
        SendMessageW(box, WM_CHAR, L'3', 1);
        keyNarrowReturn.push_back(clock.ms());
        waitListed();
        keyNarrow.push_back(clock.ms());

        // Another program changes one note; the next search looks again.
        std::string note = corpusNote(7);
        note.insert(note.size() - 1, "\\par round" + std::to_string(round) + "\\par");
        writeCorpusNote(folder.notesFolder(), 7, note);
        search.FindEditEscape();
        search.SearchAllNotes();
        clock.restart();
        typeText((L"round" + std::to_wstring(round)).c_str());
        waitListed();
        changed.push_back(clock.ms());
    }
    std::printf("Search across all notes, %d notes of %zu KB of RTF (%zu MB), %d rounds:\n",
                kCorpusNotes, kCorpusNoteBytes / 1024, kCorpusNotes * kCorpusNoteBytes >> 20,
                kRounds);
    row("first search, every note read (results listed)", first);
    row("keystroke listing 1,000 lines + \"more\" line", keyWide);
    row("  the keystroke itself (typing waits this long)", keyWideReturn);
    row("keystroke listing a few lines", keyNarrow);
    row("  the keystroke itself", keyNarrowReturn);
    row("search after one note changed (files looked at)", changed);
    std::printf("    first search listed: %zu line(s)%s\n", listedFirst.size(),
                listedFirst.size() == 1 ? "" : "  (expected 1)");
    std::fflush(stdout);
    return 0;
}
