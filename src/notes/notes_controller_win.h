// The notes subsystem: the notes toolbar and side list, the open note's
// file, the commands that add, rename and delete notes, the quick-add field,
// the note's view settings and the second view, each a part of its own; the
// controller composes them, switches and steps through notes, owns the notes
// menu and the editor's context menu, and handles the editor's focus, key
// and wheel events. The editor itself is the main window's.
#pragma once

#include "crypto/cipher_state_win.h"
#include "document/rich_edit_win.h"
#include "notes/note_commands_win.h"
#include "notes/note_events.h"
#include "notes/note_lists_win.h"
#include "notes/note_store_win.h"
#include "notes/note_view_win.h"
#include "notes/notes_ids.h"
#include "notes/quick_add_win.h"
#include "notes/second_view_win.h"
#include "program/command_table_win.h"
#include "program/program_state.h"
#include "program/refresh_table.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/handles_win.h"
#include "win/subclass_win.h"
#include "window/confirm_panel_win.h"

#include <string>
#include <vector>

namespace quivra::notes {

class NotesController final : public program::Subsystem, private NoteSwitching {
  public:
    NotesController(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                    const settings::Options& options, crypto::CipherState& cipher,
                    NoteEvents& events, document::ViewRegistry& views)
        : host_(host), state_(state), note_(note), options_(options), events_(events),
          secondView_(host, state, options, views, events), lists_(host, state, secondView_),
          store_(host, state, note, cipher, lists_), view_(state, note, options, lists_, events),
          commands_(host, state, note, cipher, {lists_, store_, view_, secondView_, *this}),
          quickAdd_(host, note, lists_, commands_, *this) {}

    // Builds the toolbar on the main window, the list pane and the quick
    // search results on the notes page, the second view in the editor area
    // with its chooser in `searchBar` (the bar under the editor), and starts
    // handling the editor's events.
    void create(HWND mainWindow, HWND notesPage, HWND editorArea, HWND searchBar);
    // The name panel among the floating panels; the delete command asks in
    // the shared confirmation panel.
    void createNoteCommands(window::FloatingPanels& panels, window::ConfirmPanel& confirm);

    // --- The parts -----------------------------------------------------------------
    NoteLists& lists() { return lists_; }
    const NoteLists& lists() const { return lists_; }
    NoteStore& store() { return store_; }
    NoteView& view() { return view_; }
    NoteCommands& noteCommands() { return commands_; }
    QuickAddField& quickAdd() { return quickAdd_; }
    SecondView& secondView() { return secondView_; }

    // --- Switching notes -------------------------------------------------------------
    // The lists take the folder's names; stale temporaries of interrupted
    // saves go, and the folder watch follows a folder switch.
    void EnumerateNotes() override;
    void FocusCurrentNote();
    void OpenNote();
    void NotesNamesListSelect() { OpenNote(); }
    void GoUpExecute();
    void GoDownExecute();
    void NotesLBClick();
    void NotesLBDblClick();
    void NotesNamesListDropDown() { lists_.fitDropDown(); }
    void NotesNamesListCloseUp();
    void NotesPageShow();
    // The note the settings remember as open (CurrentNoteName), not looked
    // up yet; the current note and its path are the notes subsystem's alone.
    void setRememberedNote(std::u16string name) {
        state_.currentNoteName = std::move(name);
        state_.currentNotePath.clear();
    }
    // Selects the remembered CurrentNoteName (letter case ignored) in both
    // lists and sets CurrentNotePath; returns the index, -1 when not listed.
    int selectRememberedNote();
    // The switch to the remembered note at start-up.
    void openRememberedNote();
    // The remembered note of a new notes folder, loaded without a switch.
    void loadRememberedNote();
    bool openListedNote(const std::u16string& name) override;
    // The open note's file and the second view's against what other
    // programs did to them.
    void lookAtNoteOnDisk();

    void NotesActMenuButtonClick();
    void hideQuickSearch() override { quickAdd_.hideQuickSearch(); }
    // Ctrl counts as released in the editor (its key-up went elsewhere).
    void releaseCtrl() { state_.CtrlDown = false; }
    void updateNotesMenu() override;
    // The editor's, the note's and the lists' share of the refresh's facts.
    program::RefreshFacts refreshFacts() const;
    HMENU notesMenu() const { return ActNotesMenu.get(); }
    HMENU editorMenu() const { return editorMenu_.get(); }

    // --- win::Subsystem --------------------------------------------------------
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;
    void addRefreshRows(program::RefreshTable& table) override;
    void addShortcuts(std::vector<ACCEL>& shortcuts) override;
    HMENU menuOf(int id) const override;

    // The commands: the menus, keys and controls of the subsystem.
    enum Menu : int { kNotesMenu, kEditorMenu };
    static program::Commands<NotesController> commands();

  private:
    void composeMenus();
    void enableNotesMenu(const program::RefreshFacts& facts);
    void showEditorMenu(POINT screen);
    bool canStepNotes() const;
    bool onNotesPage() const;
    bool editorFocused() const;
    void notesFolderChanged();
    void searchAllNotes() { events_.searchAllNotes(); }
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    void clearSelection();
    void selectAll();
    std::optional<LRESULT> onEditorMessage(UINT msg, WPARAM wp, LPARAM lp,
                                           const win::Subclass::Next& next);

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    const settings::Options& options_;
    NoteEvents& events_;

    HWND notesPage_ = nullptr;
    SecondView secondView_;
    NoteLists lists_;
    NoteStore store_;
    NoteView view_;
    NoteCommands commands_;
    QuickAddField quickAdd_;
    win::UniqueMenu editorMenu_;
    win::UniqueMenu ActNotesMenu;
    win::Subclass editorEvents_;
};

} // namespace quivra::notes
