// A note's view settings: read-only, word wrap and the format bar, applied
// when the note opens, switched from the notes menu and kept per note in
// the notes folder; and the editor's links.
#pragma once

#include "document/rich_edit_win.h"
#include "notes/note_events.h"
#include "notes/note_lists_win.h"
#include "notes/note_settings.h"
#include "program/program_state.h"
#include "settings/options_win.h"

#include <string>

namespace quivra::notes {

class NoteView {
  public:
    NoteView(program::ProgramState& state, document::RichEdit& note,
             const settings::Options& options, NoteLists& lists, NoteEvents& events)
        : state_(state), note_(note), options_(options), lists_(lists), events_(events) {}

    // The menu whose items show the settings ticked.
    void setMenu(HMENU notesMenu) { menu_ = notesMenu; }

    void applyNoteSettings(const NoteViewSettings& settings);
    // A note added: writable, unwrapped, with the format bar, whatever the
    // note before was.
    void applyNewNoteSettings();
    // The settings follow a renamed note to its new name.
    void noteRenamed(const std::u16string& from, const std::u16string& to);
    // Link notifications, and link detection when the option is on.
    void enableLinks();

    void sett_roClick();
    void sett_wwClick();
    void ShowToolBarClick();

  private:
    void applyReadOnly(bool readOnly);
    void applyWordWrap(bool wordWrap);
    void applyFormatBarShown(bool shown);
    void tick(int id, bool ticked);

    program::ProgramState& state_;
    document::RichEdit& note_;
    const settings::Options& options_;
    NoteLists& lists_;
    NoteEvents& events_;
    HMENU menu_ = nullptr;
};

} // namespace quivra::notes
