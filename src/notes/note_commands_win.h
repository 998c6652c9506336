// The commands that add, rename and delete a note: the name panel they share
// and the confirmation a delete asks for.
#pragma once

#include "crypto/cipher_state_win.h"
#include "document/rich_edit_win.h"
#include "notes/name_panel_win.h"
#include "notes/note_lists_win.h"
#include "notes/note_store_win.h"
#include "notes/note_view_win.h"
#include "notes/second_view_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "window/confirm_panel_win.h"

#include <string>

namespace quivra::notes {

// What the commands ask of the note switching around them.
class NoteSwitching {
  public:
    // Opens the note listed exactly so, as choosing it in the list does;
    // false when none is, or the user stayed with the note left.
    virtual bool openListedNote(const std::u16string& name) = 0;
    // The lists take the notes folder's names afresh.
    virtual void EnumerateNotes() = 0;
    virtual void updateNotesMenu() = 0;
    virtual void hideQuickSearch() = 0;

  protected:
    ~NoteSwitching() = default;
};

class NoteCommands {
  public:
    struct Parts {
        NoteLists& lists;
        NoteStore& store;
        NoteView& view;
        SecondView& secondView;
        NoteSwitching& switching;
    };
    NoteCommands(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                 crypto::CipherState& cipher, Parts parts)
        : host_(host), state_(state), note_(note), cipher_(cipher), parts_(parts) {}

    // The name panel among the floating panels; the delete command asks in
    // the shared confirmation panel.
    void create(HWND notesPage, window::FloatingPanels& panels, window::ConfirmPanel& confirm);

    void N_addClick();
    void N_RenameClick();
    void N_RemoveClick();
    void NewNNameChange();
    void NL_DynamicClick();
    void NL_CancelClick();
    // "Да" in the confirmation of a delete.
    void deleteCurrentNote();
    // Adds a note of that name and opens it (one listed in other letter case
    // opens instead); false when the user stayed with the note left.
    bool addNote(const std::u16string& name);

    bool namePanelShowing() const { return namePanel_.shown(); }
    NamePanel& namePanel() { return namePanel_; }

  private:
    void openNamePanel(NameTask task, const std::u16string& text);
    void renameCurrentNote(const std::u16string& name);
    bool noteFileExists(const std::u16string& name) const;

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    crypto::CipherState& cipher_;
    Parts parts_;
    NamePanel namePanel_;
    window::ConfirmPanel* confirm_ = nullptr;
};

} // namespace quivra::notes
