// Switching notes: the drop-down list, the side list, stepping with
// Alt+Up/Alt+Down and the remembered note.
#include "notes/notes_controller_win.h"

#include "notes/note_names.h"
#include "win/file_system_win.h"
#include "win/list_box_win.h"
#include "win/wide_win.h"
#include "settings/keys.h"

#include <commctrl.h>

namespace quivra::notes {

using win::toU16;
using win::toWide;

void NotesController::OpenNote() {
    const int index = selectedNoteIndex();
    if (index < 0) // 1
        return;
    secondView_.Close2NoteClick(); // 2
    if (closeSearchResults)        // 3: its lines stay for the next opening
        closeSearchResults();
    // 4-6. A note whose text could not be kept anywhere is not left unless
    // the user says so; the lists then show it selected again.
    if (!closeOutgoingNote()) {
        selectInLists(findNoteIndex(state_.currentNoteName));
        return;
    }
    {
        const auto redraw = note_.suspendRedraw(); // 7
        note_.empty();
        state_.currentNoteName = noteNameAt(index); // 8
        state_.currentNotePath = notePath(state_.notesFolder, state_.currentNoteName);
        applyNoteSettings(NoteSettingsFile(state_.notesFolder).read(state_.currentNoteName)); // 9
        // 17 comes before the load: switched on over a loaded text, the
        // control searches the whole text for links once more.
        enableLinks();
        if (win::fileExists(state_.currentNotePath)) // 10
            loadCurrentNote();
        note_.setModified(false); // 11
    }
    note_.setEnabled(true); // 12
    settings::write(*state_.settingsFile, settings::keys::CurrentNoteName,
                    state_.currentNoteName); // 13
    win::ListBox(listBox_).select(index);    // 14
    updateNotesMenu();
    if (IsWindowVisible(host_.mainWindow()) && // 15
        options_.ticked(settings::ID_ISFOCUSONSELECTNOTE) && note_.enabled())
        note_.focus();
    // 16: the format buttons follow the read-only state (noteViewChanged).
}

void NotesController::enableLinks() {
    note_.setEventMask(note_.eventMask() | ENM_LINK);
    // Detection is never switched off while the program runs.
    if (options_.ticked(settings::ID_ISDETECTURL) && !note_.autoUrlDetect())
        note_.setAutoUrlDetect(true);
}

int NotesController::selectRememberedNote() {
    state_.currentNotePath = notePath(state_.notesFolder, state_.currentNoteName);
    const int index = findNoteIndex(state_.currentNoteName);
    selectInLists(index);
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
    selectRememberedNote();
    note_.setEnabled(selectedNoteIndex() >= 0); // before a load that may fail
    if (win::fileExists(state_.currentNotePath))
        loadCurrentNote();
    note_.setModified(false);
}

void NotesController::selectInLists(int index) {
    namesList_.box().select(index);
    win::ListBox(listBox_).select(index);
}

std::u16string NotesController::noteNameAt(int index) const {
    return toU16(namesList_.box().itemText(index));
}

int NotesController::noteCount() const {
    return namesList_.box().count();
}

int NotesController::selectedNoteIndex() const {
    return namesList_.box().selected();
}

int NotesController::findNoteIndex(const std::u16string& name) const {
    return namesList_.box().findExact(toWide(name).c_str());
}

bool NotesController::canStepNotes() const {
    // Only while "Добавить" is enabled, which it is unless the name panel is
    // open.
    return host_.activePage() == program::Page::Notes && !namePanelShowing();
}

void NotesController::GoDownExecute() {
    if (!canStepNotes())
        return;
    const int index = selectedNoteIndex();
    if (index + 1 >= noteCount())
        return;
    namesList_.box().select(index + 1);
    OpenNote();
}

void NotesController::GoUpExecute() {
    if (!canStepNotes())
        return;
    const int index = selectedNoteIndex();
    if (index <= 0)
        return;
    namesList_.box().select(index - 1);
    OpenNote();
}

void NotesController::NotesLBClick() {
    if (!options_.ticked(settings::ID_ISONELISTCLICK))
        return;
    NotesLBDblClick();
}

void NotesController::NotesLBDblClick() {
    namesList_.box().select(win::ListBox(listBox_).selected());
    OpenNote();
}

void NotesController::NotesNamesListDropDown() {
    RECT wr;
    GetWindowRect(host_.mainWindow(), &wr);
    const win::ComboBox box = namesList_.box();
    const int itemHeight = box.itemHeight(0);
    if (itemHeight > 0)
        box.setMinVisible(((wr.bottom - wr.top) - 70) / itemHeight);
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
