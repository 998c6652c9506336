// Identifiers of the notes subsystem: the notes toolbar, the side list, the note menus and
// commands, the name panel, quick add and the second view. They come from the subsystem's block, so
// that one number tells the router where a command, notification or tick goes.
#pragma once

#include "program/id_blocks.h"

namespace quivra::notes {

enum NotesId : int {
    ID_NOTESACTMENUBUTTON = program::kNotesIds.first,
    ID_NOTESNAMESLIST,
    ID_MODLAB,
    ID_IMGRO,
    ID_NOTESLB,
    ID_QUICKADD,
    ID_NOTE2LIST,
    ID_NMENU_CUT,
    ID_NMENU_COPY,
    ID_NMENU_PASTE,
    ID_NMENU_DELETE,
    ID_NMENU_SELECTALL,
    NMenu_Save,
    sett_ro,
    sett_ww,
    ShowToolBar,
    ID_IMMSAVE,
    GoUp,
    GoDown,
    // The notes menu's first column and its shortcuts.
    N_add,
    N_Rename,
    N_Remove,
    // The name panel.
    ID_NEWNNAME,
    ID_NL_DYNAMIC,
    ID_NL_CANCEL,
    // The quick-add field's results.
    ID_QUICKLIST,
    // The second note view and its close button.
    ID_NOTE2,
    ID_CLOSE2NOTE,
    // Posted to itself: a save in passing could keep the text nowhere.
    ID_UNSAVEDNOTICE,
    // Posted to itself: the user's text was kept as a conflict copy.
    ID_CONFLICTNOTICE,
    // Posted by the folder watch: the notes folder changed.
    ID_NOTESFOLDERCHANGED,
    // Timer: the folder has been quiet for a moment; the lists follow it.
    ID_FOLLOWFOLDERTIMER,
    // The notes menu's search across all notes, Ctrl+Shift+F.
    ID_N_SEARCHALL,
    ID_NOTES_LAST = ID_N_SEARCHALL,
};
static_assert(program::kNotesIds.contains(ID_NOTES_LAST));

} // namespace quivra::notes
