#include "search/search_controller_win.h"

#include "program/refresh_table.h"
#include "search/result_lines.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/wide_win.h"

namespace quivra::search {

namespace {
constexpr COLORREF kMedGray = RGB(160, 160, 164); // clMedGray
}

void SearchController::create(HWND column, HWND searchBar) {
    HWND main = host_.mainWindow();
    findEdit_ = win::createEdit(searchBar, ID_FINDEDIT, win::toWide(kSearchPlaceholder).c_str(),
                                {0, 0, 1, host_.scale(23)});
    host_.addHint(findEdit_, L"Поиск");
    results_.create(column, main, {ID_SEARCHMEMO, ID_SEARCHCLOSE});
    results_.onJump = [this] { SearchMemoDblClick(); };
    allNotes_.create(findEdit_);
    boxKeys_.attach(findEdit_, [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onBoxMessage(msg, wp, lp, next);
    });
    // In the editor, Ctrl+F takes the user to the box (Ctrl+Shift+F is the
    // notes menu's shortcut).
    editorKeys_.attach(
        note_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM, const auto&) -> std::optional<LRESULT> {
            if (msg == WM_KEYDOWN && wp == 'F' && (GetKeyState(VK_CONTROL) & 0x8000) &&
                !(GetKeyState(VK_SHIFT) & 0x8000)) {
                focusFindEdit();
                return 0;
            }
            return std::nullopt;
        });
}

void SearchController::layoutFindEdit(int right) {
    MoveWindow(findEdit_, 0, 0, std::max(0, right), host_.scale(23), TRUE);
}

std::u16string SearchController::boxText() const {
    return win::toU16(win::windowText(findEdit_));
}

void SearchController::apply(const SearchStep& step) {
    switch (step.change) {
    case SelectionChange::Keep:
        break;
    case SelectionChange::Collapse: {
        const long start = note_.selection().start;
        note_.setSelection({start, start});
        break;
    }
    case SelectionChange::Set:
        note_.setSelection({step.selection.start, step.selection.start + step.selection.length});
        break;
    }
}

void SearchController::fillResults(const NoteText& text, std::u16string_view searched) {
    results_.fill(resultLines(text, searched));
}

// --- The search box ----------------------------------------------------------------

void SearchController::FindEditChange() {
    if (allNotes_.active()) { // searched while typing, whatever the option
        allNotes_.textChanged(boxText());
        return;
    }
    if (!options_.ticked(settings::ID_ISDYNSEARCH))
        return;
    const std::u16string searched = boxText();
    if (!isSearchText(searched)) { // the result view stays as it is
        apply({SelectionChange::Collapse, {}, findNextStart_});
        return;
    }
    results_.clear(); // the note's text read once, whole lines
    findNextStart_ = 0;
    const NoteText text(note_.text());
    const SearchStep step = searchWhileTyping(text, searched);
    apply(step);
    findNextStart_ = step.findNextStart;
    if (!options_.ticked(settings::ID_ISSEARCHFILTER)) // no line filter
        return;
    fillResults(text, searched);
    if (!results_.isOpen())
        results_.open();
}

void SearchController::FindNext() {
    if (allNotes_.active()) {
        allNotes_.openFirst();
        return;
    }
    const std::u16string searched = boxText();
    if (searched.empty()) { // closes the results and goes back to the note
        results_.close();
        if (note_.enabled())
            note_.focus();
        return;
    }
    results_.clear();
    const NoteText text(note_.text());
    const auto selection = note_.selection(); // the search goes on after it
    const SearchStep step = findNext(text, searched, {selection.start, selection.length()});
    apply(step);
    findNextStart_ = step.findNextStart;
    const bool found = step.change == SelectionChange::Set && step.selection.length > 0;
    // Enter refills the view but never opens the area.
    if (found && options_.ticked(settings::ID_ISSEARCHFILTER))
        fillResults(text, searched);
}

void SearchController::FindEditEnter() {
    events_.closeQuickSearch();
    // The selected text is searched for at once (while typing is searched).
    const auto selection = note_.selection();
    SetWindowTextW(findEdit_, selection.start == selection.end
                                  ? L""
                                  : win::toWide(note_.selectedText()).c_str());
    SendMessageW(findEdit_, EM_SETSEL, 0, -1);
    InvalidateRect(findEdit_, nullptr, TRUE); // the text in the window-text colour
    events_.enableSizeBox(false);
}

void SearchController::FindEditExit() {
    // With the search while typing on, the placeholder collapses the
    // selection to the last hit's start.
    SetWindowTextW(
        findEdit_,
        win::toWide(allNotes_.active() ? kAllNotesPlaceholder : kSearchPlaceholder).c_str());
    InvalidateRect(findEdit_, nullptr, TRUE);
    events_.enableSizeBox(true);
}

void SearchController::FindEditEscape() {
    allNotes_.leave(); // back to the search in the note
    if (note_.enabled())
        note_.focus();
}

void SearchController::focusFindEdit() {
    allNotes_.leave();
    events_.releaseCtrl();
    EnableWindow(findEdit_, note_.enabled());
    SetFocus(findEdit_);
}

void SearchController::SearchAllNotes() {
    events_.releaseCtrl();
    if (host_.activePage() != program::Page::Notes)
        host_.showPage(program::Page::Notes);
    allNotes_.enter();
    EnableWindow(findEdit_, TRUE);
    if (GetFocus() == findEdit_) {
        // Already typing in the box: its text is searched for in all notes.
        allNotes_.textChanged(boxText());
        return;
    }
    // Gaining the focus, the box takes the note's selected text (FindEditEnter),
    // which is searched for at once.
    SetFocus(findEdit_);
    InvalidateRect(findEdit_, nullptr, TRUE);
}

// The keys of the search box.
std::optional<LRESULT> SearchController::onBoxMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                      const win::Subclass::Next& next) {
    if (auto code = win::wantKeys(msg, lp, next, {VK_RETURN, VK_ESCAPE}))
        return code;
    if (msg == WM_CHAR && (wp == 13 || wp == 27)) {
        if (wp == 13)
            FindNext();
        return 0;
    }
    if (msg == WM_KEYUP && wp == VK_ESCAPE) {
        FindEditEscape();
        return 0;
    }
    return std::nullopt;
}

// --- The results area ----------------------------------------------------------------

void SearchController::SearchMemoDblClick() {
    if (allNotes_.active()) { // the results of all notes: the note opens
        allNotes_.openAtCaret();
        return;
    }
    const NoteText text(note_.text());
    if (text.lines().empty())
        return;
    const std::u16string line = results_.caretLine(); // the listed line at the caret
    // A line the note no longer has (it changed since the list was
    // filled) is not jumped to.
    if (const auto target = jumpTarget(text, line)) {
        note_.setSelection({target->start, target->start + target->length});
        note_.focus();
    }
}

void SearchController::SearchCloseClick() {
    results_.close();
    results_.clear();
}

// --- win::Subsystem --------------------------------------------------------------------

bool SearchController::onCommand(int id, int code, HWND) {
    switch (id) {
    case ID_FINDEDIT:
        if (code == EN_CHANGE)
            FindEditChange();
        else if (code == EN_SETFOCUS)
            FindEditEnter();
        else if (code == EN_KILLFOCUS)
            FindEditExit();
        return true;
    case ID_SEARCHCLOSE:
        if (code == BN_CLICKED)
            SearchCloseClick();
        return true;
    default:
        return false;
    }
}

std::optional<LRESULT> SearchController::onCtlColor(HDC dc, HWND control) {
    // The placeholder's grey while the box does not have the focus.
    if (control != findEdit_ || GetFocus() == findEdit_ || !IsWindowEnabled(findEdit_))
        return std::nullopt;
    auto brush = skins::skinEngine().handleCtlColor(WM_CTLCOLOREDIT, dc, control);
    if (!brush) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        brush = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetTextColor(dc, kMedGray);
    return brush;
}

void SearchController::addRefreshRows(program::RefreshTable& table) {
    table.add(program::RefreshStep::EditorControls, [this](const program::RefreshFacts& f) {
        // Searching all notes needs no open note.
        const bool enabled = f.editorEnabled || allNotes_.active();
        if ((IsWindowEnabled(findEdit_) != FALSE) != enabled)
            EnableWindow(findEdit_, enabled);
    });
}

} // namespace quivra::search
