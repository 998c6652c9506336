// Switching notes: the drop-down list, the side list, stepping with
// Alt+Up/Alt+Down and the remembered note.
#include "notes/notes_controller_win.h"

#include "notes/note_names.h"
#include "settings/keys.h"
#include "win/file_system_win.h"

#include <algorithm>

namespace quivra::notes {

void NotesController::OpenNote() {
    int index = lists_.selectedNoteIndex();
    if (index < 0)
        return;
    const std::u16string chosen = lists_.noteNameAt(index);
    // A note whose text could not be kept anywhere is not left unless
    // the user says so; the lists then show it selected again, and the
    // second view and the results area stay as they were.
    if (!store_.closeOutgoingNote()) {
        lists_.selectInLists(lists_.findNoteIndex(state_.currentNoteName));
        return;
    }
    secondView_.Close2NoteClick();
    events_.closeSearchResults(); // its lines stay for the next opening
    // Leaving may have listed a conflict copy, and a question to the user
    // lets the lists follow the folder: the chosen note is found again.
    const std::vector<std::u16string> names = lists_.noteNames();
    if (index >= static_cast<int>(names.size()) ||
        names[static_cast<std::size_t>(index)] != chosen) {
        const auto at = std::find(names.begin(), names.end(), chosen);
        if (at == names.end())
            return; // its file went meanwhile
        index = static_cast<int>(at - names.begin());
        lists_.selectNote(index);
    }
    // The side list follows before the load, which may fail: the lists
    // agree on the chosen note even when it cannot be read.
    lists_.selectInLists(index);
    {
        const auto redraw = note_.suspendRedraw();
        note_.empty();
        store_.forgetNoteFile();
        state_.currentNoteName = lists_.noteNameAt(index);
        state_.currentNotePath = notePath(state_.notesFolder, state_.currentNoteName);
        // Read-only, word wrap and the format bar, as kept for this note.
        view_.applyNoteSettings(NoteSettingsFile(state_.notesFolder).read(state_.currentNoteName));
        // Links are switched on before the load: switched on over a loaded
        // text, the control searches the whole text for links once more.
        view_.enableLinks();
        if (win::fileExists(state_.currentNotePath)) // a missing file leaves the editor empty
            store_.loadCurrentNote();
        note_.setModified(false);
    }
    note_.setEnabled(true);
    settings::write(*state_.SettingsFile, settings::keys::CurrentNoteName, state_.currentNoteName);
    updateNotesMenu();
    // While the program starts the window is not shown yet.
    if (IsWindowVisible(host_.mainWindow()) && options_.ticked(settings::ID_ISFOCUSONSELECTNOTE) &&
        note_.enabled())
        note_.focus();
    // The format buttons follow the read-only state (noteViewChanged).
}

bool NotesController::openListedNote(const std::u16string& name) {
    const std::vector<std::u16string> names = lists_.noteNames();
    const auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end())
        return false;
    lists_.selectNote(static_cast<int>(at - names.begin()));
    OpenNote();
    return state_.currentNoteName == name && note_.enabled();
}

int NotesController::selectRememberedNote() {
    state_.currentNotePath = notePath(state_.notesFolder, state_.currentNoteName);
    const int index = lists_.findNoteIndex(state_.currentNoteName);
    lists_.selectInLists(index);
    return index;
}

void NotesController::openRememberedNote() {
    if (state_.currentNoteName.empty())
        return;
    const int index = selectRememberedNote();
    OpenNote();
    note_.setEnabled(index >= 0);
}

void NotesController::loadRememberedNote() {
    store_.forgetNoteFile();
    selectRememberedNote();
    note_.setEnabled(lists_.selectedNoteIndex() >= 0); // before a load that may fail
    if (win::fileExists(state_.currentNotePath))
        store_.loadCurrentNote();
    note_.setModified(false);
}

bool NotesController::canStepNotes() const {
    // Only while "Добавить" is enabled, which it is unless the name panel is
    // open.
    return host_.activePage() == program::Page::Notes && !commands_.namePanelShowing();
}

void NotesController::GoDownExecute() {
    if (!canStepNotes())
        return;
    const int index = lists_.selectedNoteIndex();
    if (index + 1 >= lists_.noteCount())
        return;
    lists_.selectNote(index + 1);
    OpenNote();
}

void NotesController::GoUpExecute() {
    if (!canStepNotes())
        return;
    const int index = lists_.selectedNoteIndex();
    if (index <= 0)
        return;
    lists_.selectNote(index - 1);
    OpenNote();
}

void NotesController::NotesLBClick() {
    if (!options_.ticked(settings::ID_ISONELISTCLICK))
        return;
    NotesLBDblClick();
}

void NotesController::NotesLBDblClick() {
    lists_.selectNote(lists_.sideListSelection());
    OpenNote();
}

void NotesController::NotesNamesListCloseUp() {
    if (note_.enabled())
        note_.focus();
}

void NotesController::NotesPageShow() {
    if (note_.enabled() && IsWindowVisible(host_.mainWindow()))
        note_.focus();
}

} // namespace quivra::notes
