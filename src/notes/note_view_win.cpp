// A note's view settings: read-only, word wrap and the format bar, applied
// when the note opens and switched from the notes menu.
#include "notes/note_view_win.h"

#include "notes/notes_ids.h"

#include <richedit.h>

namespace quivra::notes {

void NoteView::tick(int id, bool ticked) {
    CheckMenuItem(menu_, static_cast<UINT>(id), ticked ? MF_CHECKED : MF_UNCHECKED);
}

void NoteView::applyReadOnly(bool readOnly) {
    state_.NoteReadOnly = readOnly;
    note_.setReadOnly(readOnly);
    lists_.showReadOnlySign(readOnly);
    tick(sett_ro, readOnly);
    events_.noteViewChanged();
}

void NoteView::applyWordWrap(bool wordWrap) {
    state_.NoteWordWrap = wordWrap;
    note_.setWordWrap(wordWrap);
    tick(sett_ww, wordWrap);
}

void NoteView::applyFormatBarShown(bool shown) {
    state_.formatBarShown = shown;
    tick(ShowToolBar, shown);
    events_.noteViewChanged();
}

void NoteView::applyNoteSettings(const NoteViewSettings& s) {
    applyFormatBarShown(s.showFormatBar);
    applyReadOnly(s.readOnly);
    applyWordWrap(s.wordWrap);
}

void NoteView::applyNewNoteSettings() {
    applyNoteSettings({.readOnly = false, .wordWrap = false, .showFormatBar = true});
}

void NoteView::noteRenamed(const std::u16string& from, const std::u16string& to) {
    const MovedViewSettings moved = NoteSettingsFile(state_.notesFolder).moveSection(from, to);
    if (moved.readOnly)
        state_.NoteReadOnly = *moved.readOnly;
    if (moved.wordWrap)
        state_.NoteWordWrap = *moved.wordWrap;
    tick(sett_ro, state_.NoteReadOnly);
    tick(sett_ww, state_.NoteWordWrap);
}

void NoteView::enableLinks() {
    note_.setEventMask(note_.eventMask() | ENM_LINK);
    // Detection is never switched off while the program runs.
    if (options_.ticked(settings::ID_ISDETECTURL) && !note_.autoUrlDetect())
        note_.setAutoUrlDetect(true);
}

// The two toggles store the new setting first: a setting the file refuses
// changes nothing the user sees (editor, format buttons, tick), so what is
// shown is always what the note will open with next time.
void NoteView::sett_roClick() {
    const bool readOnly = !state_.NoteReadOnly;
    NoteSettingsFile(state_.notesFolder).writeReadOnly(state_.currentNoteName, readOnly);
    applyReadOnly(readOnly);
}

void NoteView::sett_wwClick() {
    const bool wordWrap = !state_.NoteWordWrap;
    NoteSettingsFile(state_.notesFolder).writeWordWrap(state_.currentNoteName, wordWrap);
    // The control lays its text out again only when it is loaded anew.
    const bool modified = note_.modified();
    const std::string content = note_.rtf();
    applyWordWrap(wordWrap);
    note_.setRtf(content);
    note_.setModified(modified);
}

void NoteView::ShowToolBarClick() {
    applyFormatBarShown(!state_.formatBarShown);
    NoteSettingsFile(state_.notesFolder)
        .writeShowFormatBar(state_.currentNoteName, state_.formatBarShown);
}

} // namespace quivra::notes
