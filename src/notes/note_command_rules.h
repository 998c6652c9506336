// When the note commands and marks of the notes toolbar and menu are
// enabled or shown, from the facts of one refresh tick.
#pragma once

#include "window/refresh_table.h"

namespace quivra::notes {

// "*": the editor holds changes not yet written.
inline bool changedMarkVisible(const window::RefreshFacts& f) {
    return f.modified;
}
// The toolbar belongs to the notes page.
inline bool notesToolbarVisible(const window::RefreshFacts& f) {
    return f.notesPageActive;
}
// "Только для чтения" and "Перенос по словам" act on the selected note.
inline bool viewSettingsEnabled(const window::RefreshFacts& f) {
    return f.noteSelected;
}

} // namespace quivra::notes
