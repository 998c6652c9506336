#include "app/subsystem_links_win.h"

#include "app/main_form_win.h"
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
    form_.shutdown().bQuitClick();
}

void SubsystemLinks::restart() {
    form_.shutdown().G1Click();
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
    program::RefreshFacts facts = form_.notes().refreshFacts();
    facts.selectionHasCommentMarker = form_.crypto().selectionHoldsMarker();
    return facts;
}

window::PanelAreas SubsystemLinks::panelAreas() const {
    return form_.panelAreas();
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

std::vector<std::u16string> SubsystemLinks::listedNames() const {
    return form_.notes().lists().noteNames();
}

std::u16string SubsystemLinks::notePath(const std::u16string& name) const {
    return notes::notePath(form_.state().notesFolder, name);
}

bool SubsystemLinks::openListedNote(const std::u16string& name) {
    return form_.notes().openListedNote(name);
}

// Called from the thread that reads the notes: crypto's rule is a function of
// the text alone.
std::vector<search::TextSpan> SubsystemLinks::cipherText(std::u16string_view text) const {
    return crypto::cipherTextRanges(text);
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
