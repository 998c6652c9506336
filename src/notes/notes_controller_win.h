// The note store and the note list of the main window: the notes toolbar
// (menu button, drop-down list of names, changed mark, read-only icon), the
// side list pane with its splitter, the editor's context menu and the notes
// menu, and the commands that load, save, switch and step through notes and
// set a note's view; the commands that add, rename and delete notes with the
// name panel, the quick-add field with its results panel, and the second note
// view. The editor itself is the main window's; this subsystem handles its
// focus, key and wheel events.
#pragma once

#include "crypto/cipher_state_win.h"
#include "document/rich_edit_win.h"
#include "notes/added_notes.h"
#include "notes/name_panel_win.h"
#include "notes/note_events.h"
#include "notes/note_on_disk.h"
#include "notes/note_settings.h"
#include "notes/notes_ids.h"
#include "notes/quick_search_win.h"
#include "notes/second_view_win.h"
#include "program/command_table_win.h"
#include "program/program_state.h"
#include "program/refresh_table.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/folder_watch_win.h"
#include "win/handles_win.h"
#include "win/lazy_combo_win.h"
#include "win/panel_win.h"
#include "win/splitter_drag_win.h"
#include "win/subclass_win.h"
#include "window/confirm_panel_win.h"

#include <functional>
#include <string>
#include <vector>

namespace quivra::notes {

// What a save of the current note came to.
enum class SaveResult {
    Unchanged, // nothing to write (unmodified, read-only, no note)
    Saved,     // written to the note's file
    Recovered, // the file refused it; the text is in a recovery file
    NotSaved,  // kept nowhere but in the editor
};

class NotesController final : public program::Subsystem {
  public:
    NotesController(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                    const settings::Options& options, crypto::CipherState& cipher,
                    NoteEvents& events, document::ViewRegistry& views)
        : host_(host), state_(state), note_(note), options_(options), cipher_(cipher),
          events_(events), secondView_(host, state, options, views, events) {}

    // Builds the toolbar on the main window, the list pane and the quick
    // search results on the notes page, the second view in the editor area
    // with its chooser in `searchBar` (the bar under the editor), and starts
    // handling the editor's events.
    void create(HWND mainWindow, HWND notesPage, HWND editorArea, HWND searchBar);
    // The name panel among the floating panels; the delete command asks in
    // the shared confirmation panel.
    void createNoteCommands(window::FloatingPanels& panels, window::ConfirmPanel& confirm);
    // The toolbar at its place over the page tabs.
    void layoutToolbar(int x, int y, int width);
    // The list pane and splitter at the left of the notes page; returns the
    // x where the editor area begins.
    int layoutListPane(int pageHeight, int pageWidth);
    void setListWidth(int width); // a negative width counts as 0
    int listWidth() const noexcept { return listWidth_; }

    // --- The note store ----------------------------------------------------
    void EnumerateNotes();
    void LoadNoteFile(const std::u16string& path);
    // Writes the note when it needs writing, after checking that its file
    // is still the one the editor was filled from or last wrote: a file
    // another program changed is reloaded or, with changes in the editor,
    // kept beside a conflict copy of the editor's text; a deleted file is
    // written back only at the user's own save.
    SaveResult SaveIfModified(Moment moment = Moment::Leave);
    void FocusCurrentNote();
    // Saves the note before it is left and puts a decrypted view back first;
    // when its text can be kept nowhere, asks the user. False: the user
    // chose to stay with the note.
    bool closeOutgoingNote();

    // --- The list and switching ---------------------------------------------
    void OpenNote();
    void NotesNamesListSelect() { OpenNote(); }
    void GoUpExecute();
    void GoDownExecute();
    void NotesLBClick();
    void NotesLBDblClick();
    void NotesNamesListDropDown();
    void NotesNamesListCloseUp();
    void NotesPageShow();
    void LBSplitterMoved();
    // Selects the remembered CurrentNoteName (letter case ignored) in both
    // lists and sets CurrentNotePath; returns the index, -1 when not listed.
    int selectRememberedNote();
    // The switch to the remembered note at start-up.
    void openRememberedNote();
    // The remembered note of a new notes folder, loaded without a switch.
    void loadRememberedNote();
    int selectedNoteIndex() const;
    int noteCount() const;
    std::u16string noteNameAt(int index) const;
    int findNoteIndex(const std::u16string& name) const;
    // Opens the note listed exactly so, as choosing it in the list does;
    // false when none is, or the user stayed with the note left.
    bool openListedNote(const std::u16string& name);

    // Saves as a trigger in passing does (focus loss, Ctrl+S, hiding); a
    // text kept nowhere is reported to the user once, after the handler.
    void saveInPassing(Moment moment = Moment::AutoSave);
    // Asks, while a decrypted view is shown, whether the save keeps its text
    // plain; a yes ends the view (the decryption becomes permanent).
    void keepDecryptionIfChosen();

    // --- Changes made by other programs -----------------------------------------
    // Looks at the open note's file (the window was called in, the folder
    // changed): a file changed outside is reloaded unless the editor holds
    // changes; a deleted one leaves its text in the editor as unsaved.
    void lookAtNoteOnDisk();
    // The lists take the names the folder holds now, the selection kept; the
    // open note stays listed while it is open, its file gone or not.
    void followNotesFolder();
    // The folder being watched for changes (empty: none).
    const std::wstring& watchedFolder() const { return folderWatch_.folder(); }
    bool noteDeletedOnDisk() const noexcept { return deletedOnDisk_; }
    // The open note's file while it is still the one the editor was filled
    // from or last wrote: same size, time and content.
    std::optional<std::string> unchangedNoteFile() const;

    // --- Commands ------------------------------------------------------------
    void NMenu_SaveClick();
    void ImmSaveClick();
    void NoteExit();
    void sett_roClick();
    void sett_wwClick();
    void ShowToolBarClick();

    // --- Adding, renaming and deleting notes -----------------------------------
    void NotesActMenuButtonClick();
    void N_addClick();
    void N_RenameClick();
    void N_RemoveClick();
    void NewNNameChange();
    void NL_DynamicClick();
    void NL_CancelClick();
    // "Да" in the confirmation of a delete.
    void deleteCurrentNote();
    bool namePanelShowing() const { return namePanel_.shown(); }
    NamePanel& namePanel() { return namePanel_; }
    // From the first add or rename on, the list holds its names sorted.
    bool listSorted() const noexcept { return sortedList_; }

    // --- Quick add and quick search ----------------------------------------------
    void QuickAddEnter();
    void QuickAddExit();
    void QuickAddKeyUp();
    void QuickAddEnterKey();
    void QuickAddEscKey();
    void QuickListDblClick();
    void hideQuickSearch() { quickSearch_.hide(); }
    // Ctrl counts as released in the editor (its key-up went elsewhere).
    void releaseCtrl() { state_.CtrlDown = false; }
    // The side list shows the note selected in the drop-down list.
    void syncSideList();
    bool namesDroppedDown() const;
    // Width of the side list pane as it stands on the page.
    int listPaneWidth() const;
    void hideChangedMark();
    QuickSearchPanel& quickSearch() { return quickSearch_; }
    HWND quickAdd() const { return QuickAdd; }

    // --- The second note view ------------------------------------------------------
    SecondView& secondView() { return secondView_; }

    // --- Controls, for the main window's layout and the tests --------------------
    HWND toolbar() const { return NotesTBarPanel.hwnd(); }
    HWND namesList() const { return NotesNamesList.hwnd(); }
    HWND listBox() const { return NotesLB; }
    HWND listSplitter() const { return LBSplitter.hwnd(); }
    HWND note2List() const { return secondView_.chooser(); }
    HWND changedMark() const { return modLab; } // null until first shown
    HWND readOnlyIcon() const { return imgRO; } // null until first shown
    HWND menuButton() const { return NotesActMenuButton; }
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
    void composeToolbar(HWND mainWindow);
    void showChangedMark(bool shown);
    void showReadOnlySign(bool shown);
    RECT changedMarkPlace() const;
    RECT readOnlySignPlace() const;
    int namesListWidth() const;
    void composeListPane(HWND notesPage);
    void composeMenus();
    // The folder's notes and those added but not written yet.
    std::vector<std::u16string> notesToList();
    void setNoteNames(std::vector<std::u16string> names);
    std::vector<std::u16string> noteNames() const;
    void copyNoteNamesToLists();
    void selectInLists(int index);
    void loadCurrentNote();
    // Link notifications, and link detection when the option is on.
    void enableLinks();
    bool canStepNotes() const;
    void applyNoteSettings(const NoteViewSettings& settings);
    void applyReadOnly(bool readOnly);
    void applyWordWrap(bool wordWrap);
    void applyFormatBarShown(bool shown);
    void updateNotesMenu();
    void enableNotesMenu(const program::RefreshFacts& facts);
    void showEditorMenu(POINT screen);
    bool onNotesPage() const;
    bool editorFocused() const;
    void notesFolderChanged();
    void searchAllNotes() { events_.searchAllNotes(); }
    void Note2ListSelect() { secondView_.Note2ListSelect(); }
    void Close2NoteClick() { secondView_.Close2NoteClick(); }
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    void clearSelection();
    void selectAll();
    std::optional<LRESULT> onEditorMessage(UINT msg, WPARAM wp, LPARAM lp,
                                           const win::Subclass::Next& next);
    std::optional<LRESULT> onQuickAddMessage(UINT msg, WPARAM wp, LPARAM lp,
                                             const win::Subclass::Next& next);

    // Adding and renaming.
    void openNamePanel(NameTask task, const std::u16string& text);
    bool addNote(const std::u16string& name);
    void renameCurrentNote(const std::u16string& name);
    void takeSortedNames(std::vector<std::u16string> names);
    int selectFirstEqual(const std::u16string& name);
    bool noteFileExists(const std::u16string& name) const;

    // Saving when the note is left or in passing.
    bool mayLeaveNote();
    SaveResult keepUnsavedText(const std::string& rtf, const std::u16string& reason);
    void OnUnsavedNote();

    // The note's file against the editor (note_sync_win.cpp).
    DiskChange noteChangeOnDisk() const;
    // Right before a replace: the file holds what the program knows of it
    // (`fileThere`), its content compared whatever its stamp, or there is
    // still no file.
    bool fileIsAsDecided(bool fileThere) const;
    void rememberNoteFile(const FileStamp& stamp, std::string_view bytes);
    void forgetNoteFile();
    void reloadNoteFromDisk();
    void keepAsDeleted();
    SaveResult keepConflictCopy(const std::string& rtf, Moment moment);
    void OnConflictNotice();
    void watchNotesFolder();

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    const settings::Options& options_;
    crypto::CipherState& cipher_;
    NoteEvents& events_;

    HWND notesPage_ = nullptr;
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
    NamePanel namePanel_;
    window::ConfirmPanel* confirm_ = nullptr;
    QuickSearchPanel quickSearch_;
    SecondView secondView_;
    win::UniqueMenu editorMenu_;
    win::UniqueMenu ActNotesMenu;
    win::Subclass editorEvents_;
    win::SplitterDrag splitterDrag_;
    win::Subclass quickAddEvents_;

    // A note text that could be written neither to its file nor to a
    // recovery file, and whether the user has been told.
    struct UnsavedText {
        std::u16string reason;
        bool told = false;
        std::size_t recoveredHash = 0; // of the text last kept as a recovery file
    };
    UnsavedText unsaved_;

    // The open note's file as last read or written, and whether another
    // program deleted it since.
    KnownNoteFile known_;
    bool deletedOnDisk_ = false;
    win::FolderWatch folderWatch_;
    // What the user is told about the last conflict copy, once.
    std::wstring conflictNotice_;
    // The last conflict copy's note and text, not written twice.
    struct ConflictKept {
        std::u16string note;
        std::uint64_t hash = 0;
    };
    std::optional<ConflictKept> conflictKept_;
    AddedNotes addedNotes_; // listed though their file is not written yet
};

} // namespace quivra::notes
