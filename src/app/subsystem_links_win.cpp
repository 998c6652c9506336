#include "app/subsystem_links_win.h"

#include "app/main_form_win.h"
#include "base/dpi_scale.h"
#include "crypto/cipher_text_ranges.h"
#include "notes/note_names.h"
#include "settings/data_folders.h"
#include "settings/keys.h"
#include "skins/skin_engine_win.h"
#include "win/wide_win.h"

namespace quivra::app {

// --- The settings page --------------------------------------------------------

base::IniFile& SubsystemLinks::settingsFile() {
    return *form_.state().SettingsFile;
}

void SubsystemLinks::setTrayIconVisible(bool visible) {
    form_.presenter().setTrayIconVisible(visible);
}

bool SubsystemLinks::setHotkeyEnabled(bool enabled) {
    return form_.presenter().setHotkeyEnabled(enabled);
}

bool SubsystemLinks::setHotkeyKeys(std::optional<settings::HotkeyKeys> keys) {
    return form_.presenter().setHotkeyKeys(keys);
}

void SubsystemLinks::setOpacity(int alpha) {
    form_.presenter().setOpacity(alpha);
}

void SubsystemLinks::placeSelected(int edgeIndex) {
    form_.presenter().moveToEdge(edgeIndex);
}

void SubsystemLinks::borderColorSelected(COLORREF colour) {
    form_.presenter().setBorderColor(colour);
}

void SubsystemLinks::applySkin(const std::wstring& name) {
    skins::switchSkin(name, form_.hwnd());
}

void SubsystemLinks::applyDataDir() {
    form_.applyDataDir();
}

void SubsystemLinks::quit() {
    form_.bQuitClick();
}

void SubsystemLinks::restart() {
    form_.G1Click();
}

std::wstring SubsystemLinks::executablePath() const {
    return form_.environment().exePath;
}

std::wstring SubsystemLinks::skinsFolder() const {
    return win::toWide(settings::skinsFolder(form_.state().ProgramFolder));
}

void SubsystemLinks::pauseRefresh() {
    form_.host().pauseRefresh();
}

void SubsystemLinks::resumeRefresh() {
    form_.host().resumeRefresh();
}

// --- Showing and hiding the window --------------------------------------------

void SubsystemLinks::saveIfModified() {
    form_.notes().store().saveInPassing();
}

void SubsystemLinks::focusCurrentNote() {
    form_.notes().FocusCurrentNote();
}

void SubsystemLinks::hideChangedMark() {
    form_.notes().lists().hideChangedMark();
}

void SubsystemLinks::returnCipher() {
    form_.cipher().returnCipher();
}

void SubsystemLinks::syncListSelection() {
    form_.notes().lists().syncSideList();
}

bool SubsystemLinks::noteReadOnly() const {
    return form_.state().NoteReadOnly;
}

HWND SubsystemLinks::editorWindow() const {
    return form_.note().hwnd();
}

bool SubsystemLinks::donationShowing() const {
    return form_.donation().showing();
}

void SubsystemLinks::windowCalledIn() {
    form_.crypto().mainWindowCalledIn();
    // Another program may have changed the folder and the note while the
    // window was away, also where no change of the folder is reported (a
    // network share, a folder the system cannot watch).
    form_.notes().lists().followNotesFolder();
    form_.notes().lookAtNoteOnDisk();
}

void SubsystemLinks::releaseCtrl() {
    form_.notes().releaseCtrl();
}

program::RefreshFacts SubsystemLinks::refreshFacts() const {
    const document::RichEdit& note = form_.note();
    notes::NotesController& notes = form_.notes();
    program::RefreshFacts f;
    f.editorEnabled = note.enabled();
    f.editorFocused = note.focused();
    f.modified = note.modified();
    f.readOnly = form_.state().NoteReadOnly;
    f.wordWrap = form_.state().NoteWordWrap;
    f.noteSelected = notes.lists().selectedNoteIndex() >= 0;
    const auto sel = note.selection();
    f.selectionEmpty = sel.start == sel.end;
    f.selectionHasCommentMarker = !f.selectionEmpty && form_.crypto().selectionHoldsMarker();
    f.notesPageActive = form_.activePage() == program::Page::Notes;
    f.namesDroppedDown = notes.lists().namesDroppedDown();
    f.namePanelShowing = notes.noteCommands().namePanelShowing();
    return f;
}

window::PanelAreas SubsystemLinks::panelAreas() const {
    RECT page, editor;
    GetClientRect(form_.page(program::Page::Notes), &page);
    GetClientRect(form_.note().hwnd(), &editor);
    return window::PanelAreas{{page.right, page.bottom},
                              {editor.right, editor.bottom},
                              form_.host().scale(base::kDesignDpi)};
}

// --- Between the subsystems ------------------------------------------------------

void SubsystemLinks::noteViewChanged() {
    form_.formatting().noteViewChanged();
}

void SubsystemLinks::closeSearchResults() {
    form_.search().closeResultsArea();
}

void SubsystemLinks::escapeTyped() {
    form_.presenter().NoteEscape();
}

void SubsystemLinks::searchAllNotes() {
    form_.search().SearchAllNotes();
}

std::vector<search::ListedNote> SubsystemLinks::listedNotes() const {
    notes::NotesController& notes = form_.notes();
    const std::u16string& folder = form_.state().notesFolder;
    std::vector<search::ListedNote> listed;
    const int count = notes.lists().noteCount();
    listed.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        std::u16string name = notes.lists().noteNameAt(i);
        std::u16string path = notes::notePath(folder, name);
        listed.push_back({std::move(name), std::move(path)});
    }
    return listed;
}

bool SubsystemLinks::openListedNote(const std::u16string& name) {
    return form_.notes().openListedNote(name);
}

// Called from the thread that reads the notes: crypto's rule is a function of
// the text alone.
std::vector<search::TextSpan> SubsystemLinks::cipherText(std::u16string_view text) const {
    std::vector<search::TextSpan> spans;
    for (const crypto::TextRange& range : crypto::cipherTextRanges(text))
        spans.push_back({range.start, range.length});
    return spans;
}

void SubsystemLinks::closeQuickSearch() {
    form_.notes().hideQuickSearch();
}

void SubsystemLinks::enableSizeBox(bool enabled) {
    form_.formatting().enableSizeBox(enabled);
}

int SubsystemLinks::listPaneWidth() const {
    return form_.notes().lists().listPaneWidth();
}

void SubsystemLinks::cipherReturned() {
    form_.search().clearResults();
}

void SubsystemLinks::decryptStateReset() {
    form_.crypto().decryptStateReset();
}

std::optional<std::string> SubsystemLinks::unchangedBytes() const {
    return form_.notes().store().unchangedNoteFile();
}

// --- The note editor's replacement -----------------------------------------------

void SubsystemLinks::editorReplaced(HWND old, HWND fresh) {
    form_.hints().follow(old, fresh);
}

} // namespace quivra::app
