// The search box's mode for searching all notes (Ctrl+Shift+F, or the notes
// menu's item): typing lists, in the results area, every line of every note
// that holds the text; Enter in the box opens the first one listed, Enter or
// a double click in the results the one at the caret, with the text
// selected. The notes are read and searched in a thread of their own
// (background_search.h), so typing never waits for them; the results come
// back as a message to the box.
#pragma once

#include "document/rich_edit_win.h"
#include "search/all_notes_links.h"
#include "search/all_notes_search.h"
#include "search/background_search.h"
#include "search/find_steps.h"
#include "search/results_area_win.h"
#include "win/subclass_win.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quivra::search {

class AllNotesMode {
  public:
    AllNotesMode(AllNotesLinks& links, ResultsArea& results, document::RichEdit& note)
        : links_(links), results_(results), note_(note) {}

    // The box the results are announced to.
    void create(HWND box);

    bool active() const noexcept { return active_; }
    // The mode begins: the next search looks at every note's file again.
    void enter();
    // Back to the in-note search: the results of this mode go.
    void leave();

    // The box's text changed: the search for it (none for an empty box or
    // a placeholder) is handed to the search's thread.
    void textChanged(const std::u16string& text);
    // The results listed go, and with them what Enter and a double click
    // would open.
    void forgetResults();
    // Enter in the box: the first note listed opens, as soon as the
    // results of the text typed are there.
    void openFirst();
    // Enter or a double click in the results: the note of the line at the
    // result view's caret.
    void openAtCaret();

    // For the tests and the benchmark: whether the results of the last
    // text typed are listed.
    bool listed() const noexcept { return !waiting_; }
    const std::vector<NoteHit>& hits() const noexcept { return hits_; }

  private:
    // The notes in the list's order, each with its file.
    std::vector<ListedNote> listedNotes() const;
    void resultsReady();
    void open(const NoteHit& hit);

    AllNotesLinks& links_;
    ResultsArea& results_;
    document::RichEdit& note_;
    HWND box_ = nullptr;
    win::Subclass boxEvents_;
    std::unique_ptr<BackgroundSearch> background_; // started with the first search
    bool active_ = false;
    bool waiting_ = false; // a search asked for is not listed yet
    bool openWhenListed_ = false;
    std::u16string searched_; // the text of the results listed, or asked for
    std::vector<NoteHit> hits_;
};

} // namespace quivra::search
