// The quick-add field under the note list: typing lists the matching names
// in the quick search panel over it; Enter adds a note of the name typed,
// or opens the one listed.
#pragma once

#include "document/rich_edit_win.h"
#include "notes/note_commands_win.h"
#include "notes/note_lists_win.h"
#include "notes/quick_search_win.h"
#include "program/subsystem_win.h"
#include "win/subclass_win.h"

#include <optional>

namespace quivra::notes {

class QuickAddField {
  public:
    QuickAddField(program::Host& host, document::RichEdit& note, NoteLists& lists,
                  NoteCommands& commands, NoteSwitching& switching)
        : host_(host), note_(note), lists_(lists), commands_(commands), switching_(switching) {}

    // The field is the lists' (made with the list pane); the quick search
    // panel goes on the notes page.
    void create(HWND notesPage, HWND mainWindow);

    void QuickAddEnter();
    void QuickAddExit();
    void QuickListDblClick();
    void hideQuickSearch() { quickSearch_.hide(); }
    QuickSearchPanel& quickSearch() { return quickSearch_; }

  private:
    void QuickAddKeyUp();
    void QuickAddEnterKey();
    void QuickAddEscKey();
    std::optional<LRESULT> onFieldMessage(UINT msg, WPARAM wp, LPARAM lp,
                                          const win::Subclass::Next& next);

    program::Host& host_;
    document::RichEdit& note_;
    NoteLists& lists_;
    NoteCommands& commands_;
    NoteSwitching& switching_;
    HWND notesPage_ = nullptr;
    QuickSearchPanel quickSearch_;
    win::Subclass fieldEvents_;
};

} // namespace quivra::notes
