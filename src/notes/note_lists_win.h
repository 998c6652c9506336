// The two lists of note names and the bars that hold them: the notes toolbar
// (menu button, drop-down list, changed mark, read-only sign) over the page
// tabs, and the side list pane with its quick-add field and splitter. The
// drop-down list is the one the other lists follow; the second view's
// chooser takes the same names with a selection of its own.
#pragma once

#include "notes/added_notes.h"
#include "notes/second_view_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "win/lazy_combo_win.h"
#include "win/panel_win.h"
#include "win/splitter_drag_win.h"

#include <string>
#include <vector>

namespace quivra::notes {

class NoteLists {
  public:
    NoteLists(program::Host& host, program::ProgramState& state, SecondView& secondView)
        : host_(host), state_(state), secondView_(secondView) {}

    // The toolbar on the main window, the list pane and its splitter on the
    // notes page.
    void create(HWND mainWindow, HWND notesPage);
    // The toolbar at its place over the page tabs.
    void layoutToolbar(int x, int y, int width);
    // The list pane and splitter at the left of the notes page; returns the
    // x where the editor area begins.
    int layoutListPane(int pageHeight, int pageWidth);
    void setListWidth(int width); // a negative width counts as 0
    int listWidth() const noexcept { return listWidth_; }
    // Stores the width the splitter was dragged to.
    void LBSplitterMoved();
    // Width of the side list pane as it stands on the page.
    int listPaneWidth() const;

    void showChangedMark(bool shown);
    void hideChangedMark();
    void showReadOnlySign(bool shown);

    // --- The names ---------------------------------------------------------------
    // The lists take the notes folder's names (sorted once the user added or
    // renamed a note), the notes added but not written yet among them.
    void listFolder();
    // The lists take the names the folder holds now, the selection kept; the
    // open note stays listed while it is open, its file gone or not.
    void followNotesFolder();
    // Takes names and keeps the list sorted from now on.
    void takeSortedNames(std::vector<std::u16string> names);
    std::vector<std::u16string> noteNames() const;
    // Fills the side list and the chooser from the drop-down list.
    void copyNoteNamesToLists();
    int selectedNoteIndex() const;
    int noteCount() const;
    std::u16string noteNameAt(int index) const;
    // The first entry equal to name, letter case ignored; -1 when none.
    int findNoteIndex(const std::u16string& name) const;
    // Selects in the drop-down list only; the side list follows on the switch.
    void selectNote(int index);
    void selectInLists(int index);
    // Selects the first entry equal to name in both lists.
    int selectFirstEqual(const std::u16string& name);
    // The side list shows the note selected in the drop-down list.
    void syncSideList();
    int sideListSelection() const;
    bool namesDroppedDown() const;
    // The drop-down list shows as many names as the window's height holds.
    void fitDropDown();
    // From the first add or rename on, the list holds its names sorted.
    bool listSorted() const noexcept { return sortedList_; }
    // Notes listed though their file is not written yet.
    AddedNotes& addedNotes() { return addedNotes_; }

    // --- Controls, for the layout, the commands and the tests ----------------------
    HWND toolbar() const { return NotesTBarPanel.hwnd(); }
    HWND menuButton() const { return NotesActMenuButton; }
    HWND namesList() const { return NotesNamesList.hwnd(); }
    HWND listBox() const { return NotesLB; }
    HWND quickAddField() const { return QuickAdd; }
    HWND listSplitter() const { return LBSplitter.hwnd(); }
    HWND changedMark() const { return modLab; } // null until first shown
    HWND readOnlyIcon() const { return imgRO; } // null until first shown

  private:
    // The folder's notes and those added but not written yet.
    std::vector<std::u16string> notesToList();
    void setNoteNames(std::vector<std::u16string> names);
    RECT changedMarkPlace() const;
    RECT readOnlySignPlace() const;
    int namesListWidth() const;

    program::Host& host_;
    program::ProgramState& state_;
    SecondView& secondView_;

    win::Panel NotesTBarPanel;
    HWND NotesActMenuButton = nullptr;
    win::LazyCombo NotesNamesList;
    HWND modLab = nullptr; // made when first shown, like the read-only sign
    HWND imgRO = nullptr;
    int toolbarWidth_ = 0;
    win::Panel LBPane;
    win::Panel LBSplitter;
    HWND NotesLB = nullptr;
    HWND QuickAdd = nullptr;
    int listWidth_ = 0;
    bool sortedList_ = false;
    win::SplitterDrag splitterDrag_;
    AddedNotes addedNotes_;
};

} // namespace quivra::notes
