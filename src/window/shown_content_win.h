// What the presenter asks of the window's content when it shows or hides the
// window: the note is written before the window goes, the decrypted view
// returns to cipher text on the paths that say so, the editor gets the focus
// when the window comes. The main window answers, as it knows every
// subsystem.
#pragma once

#include "program/refresh_table.h"
#include "window/panel_places.h"

#include <windows.h>

namespace quivra::window {

class ShownContent {
  public:
    virtual ~ShownContent() = default;
    virtual void saveIfModified() = 0;
    virtual void focusCurrentNote() = 0;
    virtual void hideChangedMark() = 0;
    // The return of the cipher: a decrypted view goes back to cipher text.
    virtual void returnCipher() = 0;
    // The side list shows the note selected in the drop-down list.
    virtual void syncListSelection() = 0;
    virtual bool noteReadOnly() const = 0;
    virtual HWND editorWindow() const = 0;
    // A window of the program that the hidden window must not cover.
    virtual bool donationShowing() const = 0;
    // The window was called in: work that waited for the user to come back
    // gets another try (a secret left on a clipboard that was busy).
    virtual void windowCalledIn() = 0;
    // The Ctrl key counts as released in the editor.
    virtual void releaseCtrl() = 0;
    // The facts of one refresh tick, gathered by the main window, which
    // knows every subsystem.
    virtual program::RefreshFacts refreshFacts() const = 0;
    // The sizes of the notes page and the editor, where floating panels open.
    virtual PanelAreas panelAreas() const = 0;
};

} // namespace quivra::window
