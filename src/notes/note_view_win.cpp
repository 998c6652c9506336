// A note's view settings: read-only, word wrap and the format bar, applied
// when the note opens and switched from the notes menu.
#include "notes/notes_controller_win.h"

namespace quivra::notes {

void NotesController::applyReadOnly(bool readOnly) {
    state_.noteReadOnly = readOnly;
    note_.setReadOnly(readOnly);
    showReadOnlySign(readOnly);
    CheckMenuItem(notesMenu_.get(), ID_SETT_RO, readOnly ? MF_CHECKED : MF_UNCHECKED);
    events_.noteViewChanged();
}

void NotesController::applyWordWrap(bool wordWrap) {
    state_.noteWordWrap = wordWrap;
    note_.setWordWrap(wordWrap);
    CheckMenuItem(notesMenu_.get(), ID_SETT_WW, wordWrap ? MF_CHECKED : MF_UNCHECKED);
}

void NotesController::applyFormatBarShown(bool shown) {
    state_.formatBarShown = shown;
    CheckMenuItem(notesMenu_.get(), ID_SHOWTOOLBAR, shown ? MF_CHECKED : MF_UNCHECKED);
    events_.noteViewChanged();
}

void NotesController::applyNoteSettings(const NoteViewSettings& s) {
    applyFormatBarShown(s.showFormatBar);
    applyReadOnly(s.readOnly);
    applyWordWrap(s.wordWrap);
}

void NotesController::sett_roClick() {
    applyReadOnly(!state_.noteReadOnly);
    NoteSettingsFile(state_.notesFolder).writeReadOnly(state_.currentNoteName, state_.noteReadOnly);
}

void NotesController::sett_wwClick() {
    // The control lays its text out again only when it is loaded anew.
    const bool modified = note_.modified();
    const std::string content = note_.rtf();
    applyWordWrap(!state_.noteWordWrap);
    note_.setRtf(content);
    note_.setModified(modified);
    NoteSettingsFile(state_.notesFolder).writeWordWrap(state_.currentNoteName, state_.noteWordWrap);
}

void NotesController::ShowToolBarClick() {
    applyFormatBarShown(!state_.formatBarShown);
    NoteSettingsFile(state_.notesFolder)
        .writeShowFormatBar(state_.currentNoteName, state_.formatBarShown);
}

} // namespace quivra::notes
