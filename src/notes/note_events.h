// What the notes subsystem tells the rest of the window as the current note
// changes. The main window answers, as it knows the other subsystems.
#pragma once

namespace quivra::notes {

class NoteEvents {
  public:
    // The current note's view changed (a note opened, its read-only setting
    // or its format bar switched): the format bar follows.
    virtual void noteViewChanged() = 0;
    // A switch of the current note closes the search results area; its
    // lines stay for the next opening.
    virtual void closeSearchResults() = 0;
    // Esc was typed in the editor: the window slides out.
    virtual void escapeTyped() = 0;
    // The notes menu's item (or Ctrl+Shift+F): the search box searches all
    // notes.
    virtual void searchAllNotes() = 0;

  protected:
    ~NoteEvents() = default;
};

} // namespace quivra::notes
