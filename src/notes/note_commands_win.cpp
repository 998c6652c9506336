// The notes menu and its commands that add, rename and delete a note, with
// the name panel they share and the confirmation a delete asks for.
#include "notes/notes_controller_win.h"

#include "notes/note_names.h"
#include "notes/note_order.h"
#include "notes/note_recycle_win.h"
#include "win/file_system_win.h"
#include "win/wide_win.h"

namespace quivra::notes {

using win::toWide;

void NotesController::NotesActMenuButtonClick() {
    hideQuickSearch();
    updateNotesMenu();
    // The window has no frame: the button's screen place is the window's
    // place plus the toolbar's and the button's.
    RECT button;
    GetWindowRect(NotesActMenuButton, &button);
    TrackPopupMenu(ActNotesMenu.get(), TPM_LEFTALIGN | TPM_TOPALIGN, button.left - host_.scale(50),
                   button.bottom, 0, host_.mainWindow(), nullptr);
}

// --- The name panel ------------------------------------------------------------

void NotesController::N_addClick() {
    openNamePanel(NameTask::Add, {});
}

void NotesController::N_RenameClick() {
    const int index = selectedNoteIndex();
    if (index >= 0)
        openNamePanel(NameTask::Rename, noteNameAt(index));
}

void NotesController::openNamePanel(NameTask task, const std::u16string& text) {
    // The editor loses the focus now, which writes the note if it changed.
    namePanel_.open(task, text);
    hideQuickSearch();
    updateNotesMenu();
}

bool NotesController::noteFileExists(const std::u16string& name) const {
    // Names that are no file's of the folder never reach the file system.
    return isNoteNameForAFile(name) && win::fileExists(notePath(state_.notesFolder, name));
}

void NotesController::NewNNameChange() {
    const std::u16string typed = namePanel_.text();
    const NameTask task = namePanel_.task();
    namePanel_.setConfirmEnabled(nameConfirmable(
        task, typed, noteNames(), task == NameTask::Rename && noteFileExists(typed)));
}

void NotesController::NL_CancelClick() {
    namePanel_.close();
    if (note_.enabled())
        note_.focus();
}

void NotesController::NL_DynamicClick() {
    const std::u16string name = namePanel_.text();
    if (name.empty())
        return;
    // Another program may have made the file since the name was typed.
    NewNNameChange();
    if (!namePanel_.confirmEnabled())
        return;
    const NameTask task = namePanel_.task();
    namePanel_.close();
    if (task == NameTask::Add) {
        if (!addNote(name))
            return;
    } else {
        renameCurrentNote(name);
    }
    if (note_.enabled())
        note_.focus();
}

// --- Add -------------------------------------------------------------------------

void NotesController::takeSortedNames(std::vector<std::u16string> names) {
    // From now on the list stays sorted, also when the folder is read again.
    sortedList_ = true;
    sortNoteNames(names);
    setNoteNames(names);
}

int NotesController::selectFirstEqual(const std::u16string& name) {
    const int index = findNoteIndex(name); // the first equal ignoring case
    selectInLists(index);
    return index;
}

bool NotesController::addNote(const std::u16string& name) {
    // A name listed already in other letter case is that note: one file
    // holds both, and the list names each note once.
    if (const int listed = findNoteIndex(name); listed >= 0)
        return openListedNote(noteNameAt(listed));
    if (!closeOutgoingNote()) // the user chose to stay with the note
        return false;
    // From now on the list keeps its names sorted.
    std::vector<std::u16string> names = noteNames();
    names.push_back(name);
    takeSortedNames(std::move(names));
    const int index = selectFirstEqual(name);
    state_.currentNoteName = noteNameAt(index); // the name as the list spells it
    state_.currentNotePath = notePath(state_.notesFolder, state_.currentNoteName);
    const auto redraw = note_.suspendRedraw();
    note_.empty(); // no file is created
    forgetNoteFile();
    // Writable, unwrapped, with the format bar, whatever the note before
    // was; set before the text is loaded, which lays it out for the wrap.
    note_.setEnabled(true);
    applyFormatBarShown(true);
    applyReadOnly(false);
    applyWordWrap(false);
    if (win::fileExists(state_.currentNotePath))
        loadCurrentNote();
    else
        addedNotes_.added(state_.notesFolder, state_.currentNoteName);
    note_.setModified(false);
    updateNotesMenu();
    return true;
}

// --- Rename ------------------------------------------------------------------------

void NotesController::renameCurrentNote(const std::u16string& name) {
    const int index = selectedNoteIndex();
    if (index < 0)
        return;
    const std::u16string old = noteNameAt(index);
    const std::u16string oldPath = notePath(state_.notesFolder, old);
    const std::u16string newPath = notePath(state_.notesFolder, name);
    // A name the file system refuses leaves the note as it was, so that
    // the list, the editor and the files keep agreeing.
    if (win::fileExists(oldPath) && !MoveFileW(toWide(oldPath).c_str(), toWide(newPath).c_str()))
        return;
    // The companion file goes along; it is never read.
    const std::u16string oldCompanion = state_.notesFolder + u"\\" + old + u".ini";
    if (win::fileExists(oldCompanion))
        MoveFileW(toWide(oldCompanion).c_str(),
                  toWide(state_.notesFolder + u"\\" + name + u".ini").c_str());
    std::vector<std::u16string> names = noteNames();
    names[static_cast<std::size_t>(index)] = name;
    addedNotes_.renamed(old, name);
    takeSortedNames(std::move(names));
    // The second view shows what it showed, under the note's new name.
    secondView_.noteRenamed(toWide(old), toWide(name));
    state_.currentNoteName = name;
    state_.currentNotePath = newPath;
    selectFirstEqual(name);
    updateNotesMenu();
    // The settings follow the note under its new name.
    const MovedViewSettings moved = NoteSettingsFile(state_.notesFolder).moveSection(old, name);
    if (moved.readOnly)
        state_.NoteReadOnly = *moved.readOnly;
    if (moved.wordWrap)
        state_.NoteWordWrap = *moved.wordWrap;
    CheckMenuItem(ActNotesMenu.get(), sett_ro, state_.NoteReadOnly ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(ActNotesMenu.get(), sett_ww, state_.NoteWordWrap ? MF_CHECKED : MF_UNCHECKED);
}

// --- Delete ------------------------------------------------------------------------

void NotesController::N_RemoveClick() {
    if (selectedNoteIndex() < 0 || !confirm_)
        return;
    std::u16string question = u"Вы действительно хотите удалить заметку \"";
    question += state_.currentNoteName;
    question += u"\"?";
    confirm_->ask(
        question, [this] { deleteCurrentNote(); }, window::ConfirmPanel::Place::FixedOrDefault);
}

void NotesController::deleteCurrentNote() {
    note_.empty();
    // A decrypted view of the deleted note has nothing to go back to.
    cipher_.dropBackup();
    cipher_.resetDecryptState();
    // To the Recycle Bin, or where there is none to Data\Recovery: a
    // failure is silent, and the file still there is listed again below.
    if (!state_.currentNotePath.empty() && win::fileExists(state_.currentNotePath))
        deleteToRecycleBin(state_.currentNotePath, std::filesystem::path(state_.dataFolder));
    forgetNoteFile();
    NotesNamesList.box().select(-1);
    copyNoteNamesToLists();
    if (!state_.currentNoteName.empty()) // the note's view settings go with it
        NoteSettingsFile(state_.notesFolder).eraseSection(state_.currentNoteName);
    addedNotes_.removed(state_.currentNoteName);
    state_.currentNoteName.clear();
    state_.currentNotePath.clear();
    EnumerateNotes();
    note_.setEnabled(selectedNoteIndex() >= 0); // never: no note is open
    updateNotesMenu();
    // The confirmation panel hides and gives the focus back.
}

} // namespace quivra::notes
