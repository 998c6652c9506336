// When the note commands and marks of the notes toolbar and menu are
// enabled or shown, from the facts of one refresh tick.
#pragma once

#include "program/refresh_table.h"

namespace quivra::notes {

// "*": the editor holds changes not yet written.
inline bool changedMarkVisible(const program::RefreshFacts& f) {
    return f.modified;
}
// The toolbar belongs to the notes page.
inline bool notesToolbarVisible(const program::RefreshFacts& f) {
    return f.notesPageActive;
}
// "Только для чтения" and "Перенос по словам" act on the selected note.
inline bool viewSettingsEnabled(const program::RefreshFacts& f) {
    return f.noteSelected;
}
// "Добавить" (and with it Alt+Up and Alt+Down): not while the name panel is
// open.
inline bool addNoteEnabled(const program::RefreshFacts& f) {
    return !f.namePanelShowing;
}
// "Переименовать" and "Удвлить" act on the selected note, not while the name
// panel is open or the note list is dropped down.
inline bool renameOrDeleteEnabled(const program::RefreshFacts& f) {
    return f.noteSelected && !f.namePanelShowing && !f.namesDroppedDown;
}

} // namespace quivra::notes
