// The search subsystem: the search box `FindEdit` in the bar under the editor
// with its placeholder, the search while typing, find-next on Enter with its
// wrap-around, and the results area under the editor area with the line
// filter and the jump back to a listed line. Ctrl+F in the editor gives the
// box the focus.
#pragma once

#include "document/rich_edit_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "search/all_notes_mode_win.h"
#include "search/find_steps.h"
#include "search/results_area_win.h"
#include "search/search_events.h"
#include "search/search_ids.h"
#include "settings/options_win.h"
#include "win/subclass_win.h"

#include <functional>
#include <string>

namespace quivra::search {

class SearchController final : public program::Subsystem {
  public:
    SearchController(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                     const settings::Options& options, SearchEvents& events,
                     AllNotesLinks& allNotes, document::ViewRegistry& views)
        : host_(host), state_(state), note_(note), options_(options), events_(events),
          results_(host, views), allNotes_(allNotes, results_, note) {}

    // The box in `searchBar` (the bar under the editor), the results area in
    // `column` (under the editor area).
    void create(HWND column, HWND searchBar);
    // The box across the bar from its left end to `right`.
    void layoutFindEdit(int right);
    // The results area at the bottom of the column; returns the editor
    // area's height.
    int layoutResultsArea(int width, int columnHeight) {
        return results_.layout(width, columnHeight);
    }

    // --- The search box ------------------------------------------------------------
    void FindEditEnter();
    void FindEditExit();
    void FindEditChange();
    // Enter in the box: the next hit.
    void FindNext();
    // Esc released in the box.
    void FindEditEscape();
    // Ctrl+F in the editor: the search in the note.
    void focusFindEdit();
    // Ctrl+Shift+F or the notes menu's item: the box searches all notes
    // until Esc or Ctrl+F.
    void SearchAllNotes();
    AllNotesMode& allNotes() noexcept { return allNotes_; }
    long findNextStart() const noexcept { return findNextStart_; }

    // --- The results area -------------------------------------------------------------
    void SearchMemoDblClick();
    void SearchCloseClick();
    void openResultsArea() { results_.open(); }
    void closeResultsArea() { results_.close(); }
    bool resultsAreaOpen() const noexcept { return results_.isOpen(); }
    // The decrypted text went back to cipher text: no decrypted line stays
    // listed.
    void clearResults() {
        results_.clear();
        allNotes_.forgetResults();
    }
    ResultsArea& results() noexcept { return results_; }
    document::RichEdit& resultView() { return results_.view(); }
    HWND findEdit() const noexcept { return findEdit_; }

    // --- win::Subsystem ------------------------------------------------------------------
    bool onCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> onCtlColor(HDC dc, HWND control) override;
    void addRefreshRows(program::RefreshTable& table) override;

  private:
    std::u16string boxText() const;
    void apply(const SearchStep& step);
    void fillResults(const NoteText& text, std::u16string_view searched);
    std::optional<LRESULT> onBoxMessage(UINT msg, WPARAM wp, LPARAM lp,
                                        const win::Subclass::Next& next);

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    const settings::Options& options_;
    SearchEvents& events_;
    ResultsArea results_;
    AllNotesMode allNotes_;
    HWND findEdit_ = nullptr;
    win::Subclass boxKeys_;
    win::Subclass editorKeys_;
    long findNextStart_ = 0; // FindNextStart
};

} // namespace quivra::search
