// The notes menu's commands that add, rename and delete a note, with
// the name panel they share and the confirmation a delete asks for.
#include "notes/note_commands_win.h"

#include "notes/note_names.h"
#include "notes/notes_ids.h"
#include "notes/note_recycle_win.h"
#include "win/file_system_win.h"
#include "win/wide_win.h"

namespace quivra::notes {

using win::toWide;

void NoteCommands::create(HWND notesPage, window::FloatingPanels& panels,
                          window::ConfirmPanel& confirm) {
    confirm_ = &confirm;
    namePanel_.create(host_, notesPage, host_.mainWindow(), panels,
                      {ID_NEWNNAME, ID_NL_DYNAMIC, ID_NL_CANCEL});
    namePanel_.onEnterKey = [this] { NL_DynamicClick(); };
    namePanel_.onEscKey = [this] { NL_CancelClick(); };
    namePanel_.onClosed = [this] { parts_.switching.updateNotesMenu(); };
}

// --- The name panel ------------------------------------------------------------

void NoteCommands::N_addClick() {
    openNamePanel(NameTask::Add, {});
}

void NoteCommands::N_RenameClick() {
    const int index = parts_.lists.selectedNoteIndex();
    if (index >= 0)
        openNamePanel(NameTask::Rename, parts_.lists.noteNameAt(index));
}

void NoteCommands::openNamePanel(NameTask task, const std::u16string& text) {
    // The editor loses the focus now, which writes the note if it changed.
    namePanel_.open(task, text);
    parts_.switching.hideQuickSearch();
    parts_.switching.updateNotesMenu();
}

bool NoteCommands::noteFileExists(const std::u16string& name) const {
    // Names that are no file's of the folder never reach the file system.
    return isNoteNameForAFile(name) && win::fileExists(notePath(state_.notesFolder, name));
}

void NoteCommands::NewNNameChange() {
    const std::u16string typed = namePanel_.text();
    const NameTask task = namePanel_.task();
    namePanel_.setConfirmEnabled(nameConfirmable(
        task, typed, parts_.lists.noteNames(), task == NameTask::Rename && noteFileExists(typed)));
}

void NoteCommands::NL_CancelClick() {
    namePanel_.close();
    if (note_.enabled())
        note_.focus();
}

void NoteCommands::NL_DynamicClick() {
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

bool NoteCommands::addNote(const std::u16string& name) {
    // A name listed already in other letter case is that note: one file
    // holds both, and the list names each note once.
    if (const int listed = parts_.lists.findNoteIndex(name); listed >= 0)
        return parts_.switching.openListedNote(parts_.lists.noteNameAt(listed));
    if (!parts_.store.closeOutgoingNote()) // the user chose to stay with the note
        return false;
    // From now on the list keeps its names sorted.
    std::vector<std::u16string> names = parts_.lists.noteNames();
    names.push_back(name);
    parts_.lists.takeSortedNames(std::move(names));
    const int index = parts_.lists.selectFirstEqual(name);
    state_.currentNoteName = parts_.lists.noteNameAt(index); // the name as the list spells it
    state_.currentNotePath = notePath(state_.notesFolder, state_.currentNoteName);
    const auto redraw = note_.suspendRedraw();
    note_.empty(); // no file is created
    parts_.store.forgetNoteFile();
    // Writable, unwrapped, with the format bar, whatever the note before
    // was; set before the text is loaded, which lays it out for the wrap.
    note_.setEnabled(true);
    parts_.view.applyNewNoteSettings();
    if (win::fileExists(state_.currentNotePath))
        parts_.store.loadCurrentNote();
    else
        parts_.lists.addedNotes().added(state_.notesFolder, state_.currentNoteName);
    note_.setModified(false);
    parts_.switching.updateNotesMenu();
    return true;
}

// --- Rename ------------------------------------------------------------------------

void NoteCommands::renameCurrentNote(const std::u16string& name) {
    const int index = parts_.lists.selectedNoteIndex();
    if (index < 0)
        return;
    const std::u16string old = parts_.lists.noteNameAt(index);
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
    std::vector<std::u16string> names = parts_.lists.noteNames();
    names[static_cast<std::size_t>(index)] = name;
    parts_.lists.addedNotes().renamed(old, name);
    parts_.lists.takeSortedNames(std::move(names));
    // The second view shows what it showed, under the note's new name.
    parts_.secondView.noteRenamed(toWide(old), toWide(name));
    state_.currentNoteName = name;
    state_.currentNotePath = newPath;
    parts_.lists.selectFirstEqual(name);
    parts_.switching.updateNotesMenu();
    // The settings follow the note under its new name.
    parts_.view.noteRenamed(old, name);
}

// --- Delete ------------------------------------------------------------------------

void NoteCommands::N_RemoveClick() {
    if (parts_.lists.selectedNoteIndex() < 0 || !confirm_)
        return;
    std::u16string question = u"Вы действительно хотите удалить заметку \"";
    question += state_.currentNoteName;
    question += u"\"?";
    confirm_->ask(
        question, [this] { deleteCurrentNote(); }, window::ConfirmPanel::Place::FixedOrDefault);
}

void NoteCommands::deleteCurrentNote() {
    note_.empty();
    // A decrypted view of the deleted note has nothing to go back to.
    cipher_.dropBackup();
    cipher_.resetDecryptState();
    // To the Recycle Bin, or where there is none to Data\Recovery: a
    // failure is silent, and the file still there is listed again below.
    if (!state_.currentNotePath.empty() && win::fileExists(state_.currentNotePath))
        deleteToRecycleBin(state_.currentNotePath, std::filesystem::path(state_.dataFolder));
    parts_.store.forgetNoteFile();
    parts_.lists.selectNote(-1);
    parts_.lists.copyNoteNamesToLists();
    if (!state_.currentNoteName.empty()) // the note's view settings go with it
        NoteSettingsFile(state_.notesFolder).eraseSection(state_.currentNoteName);
    parts_.lists.addedNotes().removed(state_.currentNoteName);
    state_.currentNoteName.clear();
    state_.currentNotePath.clear();
    parts_.switching.EnumerateNotes();
    note_.setEnabled(parts_.lists.selectedNoteIndex() >= 0); // never: no note is open
    parts_.switching.updateNotesMenu();
    // The confirmation panel hides and gives the focus back.
}

} // namespace quivra::notes
