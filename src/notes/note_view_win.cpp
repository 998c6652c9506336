// A note's view settings: read-only, word wrap and the format bar, applied
// when the note opens and switched from the notes menu.
#include "notes/notes_controller_win.h"

namespace quivra::notes {

void NotesController::applyReadOnly(bool readOnly) {
    state_.NoteReadOnly = readOnly;
    note_.setReadOnly(readOnly);
    showReadOnlySign(readOnly);
    CheckMenuItem(ActNotesMenu.get(), sett_ro, readOnly ? MF_CHECKED : MF_UNCHECKED);
    events_.noteViewChanged();
}

void NotesController::applyWordWrap(bool wordWrap) {
    state_.NoteWordWrap = wordWrap;
    note_.setWordWrap(wordWrap);
    CheckMenuItem(ActNotesMenu.get(), sett_ww, wordWrap ? MF_CHECKED : MF_UNCHECKED);
}

void NotesController::applyFormatBarShown(bool shown) {
    state_.formatBarShown = shown;
    CheckMenuItem(ActNotesMenu.get(), ShowToolBar, shown ? MF_CHECKED : MF_UNCHECKED);
    events_.noteViewChanged();
}

void NotesController::applyNoteSettings(const NoteViewSettings& s) {
    applyFormatBarShown(s.showFormatBar);
    applyReadOnly(s.readOnly);
    applyWordWrap(s.wordWrap);
}

// The two toggles store the new setting first: a setting the file refuses
// changes nothing the user sees (editor, format buttons, tick), so what is
// shown is always what the note will open with next time.
void NotesController::sett_roClick() {
    const bool readOnly = !state_.NoteReadOnly;
    NoteSettingsFile(state_.notesFolder).writeReadOnly(state_.currentNoteName, readOnly);
    applyReadOnly(readOnly);
}

void NotesController::sett_wwClick() {
    const bool wordWrap = !state_.NoteWordWrap;
    NoteSettingsFile(state_.notesFolder).writeWordWrap(state_.currentNoteName, wordWrap);
    // The control lays its text out again only when it is loaded anew.
    const bool modified = note_.modified();
    const std::string content = note_.rtf();
    applyWordWrap(wordWrap);
    note_.setRtf(content);
    note_.setModified(modified);
}

void NotesController::ShowToolBarClick() {
    applyFormatBarShown(!state_.formatBarShown);
    NoteSettingsFile(state_.notesFolder)
        .writeShowFormatBar(state_.currentNoteName, state_.formatBarShown);
}

} // namespace quivra::notes
