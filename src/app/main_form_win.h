// The main window `TMainForm`: borderless, always on top, alpha-blended,
// docked at a screen edge. It owns every control of the program's one window
// and dispatches their messages to the handlers; the rules live in the core.
#pragma once

#include "app/environment_win.h"
#include "app/program_state.h"
#include "editor/rich_edit_win.h"
#include "notes/note_settings.h"
#include "platform/panel_win.h"
#include "platform/window_win.h"
#include "settings/settings_page_win.h"
#include "skins/skin_engine_win.h"
#include "window/docking.h"
#include "window/hotkey_win.h"
#include "window/tray_icon_win.h"

#include <array>
#include <functional>
#include <memory>

namespace quivra::donation {
class TAdvForm;
class TDForm;
} // namespace quivra::donation

namespace quivra::app {

// Control identifiers of the main window.
enum MainId : int {
    ID_QUIVRAPAGES = 1000,
    ID_HIDEBUTTON,
    ID_NOTESACTMENUBUTTON,
    ID_NOTESNAMESLIST,
    ID_MODLAB,
    ID_IMGRO,
    ID_NOTESLB,
    ID_QUICKADD,
    ID_NOTE,
    ID_NOTE2LIST,
    ID_HELPPAGES,
    ID_HELPTEXT,
    ID_ADVLABEL,
    ID_TRAY_EXIT,
    ID_NMENU_CUT,
    ID_NMENU_COPY,
    ID_NMENU_PASTE,
    ID_NMENU_DELETE,
    ID_NMENU_SELECTALL,
    ID_NMENU_SAVE,
    ID_SETT_RO,
    ID_SETT_WW,
    ID_SHOWTOOLBAR,
    ID_IMMSAVE,
    ID_GOUP,
    ID_GODOWN,
};

// Timers of the main window.
enum TimerId : UINT_PTR {
    kTimer1 = 1,   // PeriodicRefresh, 50 ms, while shown
    kTimer2 = 2,   // HiddenKeeper, 1 ms
    kAdvTimer = 3, // donation reminder, once after 1 s
    kTPTimer = 4,  // clipboard decryption countdown, 1 ms
};

// Private messages of the main window.
inline constexpr UINT WM_QUIVRA_SLIDE = WM_APP + 1; // wParam: 1 slide in, 0 slide out
inline constexpr UINT WM_QUIVRA_TRAY = WM_APP + 2;  // lParam: the mouse message
// A save in passing could keep the note's text nowhere: tell the user.
inline constexpr UINT WM_QUIVRA_UNSAVED = WM_APP + 3;
// Start-up met failures; shown once the window is up.
inline constexpr UINT WM_QUIVRA_STARTUP_ERRORS = WM_APP + 4;

// What a save of the current note came to.
enum class SaveResult {
    Unchanged, // nothing to write (unmodified, read-only, no note)
    Saved,     // written to the note's file
    Recovered, // the file refused it; the text is in a recovery file
    NotSaved,  // kept nowhere but in the editor
};

enum class StartResult { Started, Refused, Failed };

enum PageIndex : int { kNotesPage = 0, kSettingsPage = 1, kHelpPage = 2, kAboutPage = 3 };

class TMainForm final : public win::Window, private settings::SettingsPageHost {
  public:
    explicit TMainForm(Environment env);
    ~TMainForm() override;

    // Creates the window with its controls and runs the start-up sequence.
    StartResult create();
    // First showing: makes the window visible and starts the first slide-out.
    void FormShow();

    ProgramState& state() noexcept { return state_; }
    const Environment& environment() const noexcept { return env_; }
    settings::SettingsPage& settingsPage() noexcept { return settingsPage_; }
    HWND control(int id) const;
    editor::RichEdit& note() noexcept { return note_; }
    HWND page(int index) const { return pages_[index]->hwnd(); }
    HWND edgeStrip(int index) const { return strips_[index]->hwnd(); }
    int activePage() const;
    void showPage(int index);
    bool timerEnabled(UINT_PTR id) const;
    int opacity() const noexcept { return opacity_; }
    window::TrayIcon& trayIcon() { return *tray_; }
    window::Hotkey& hotkey() { return *hotkey_; }
    donation::TAdvForm& advForm() { return *advForm_; }
    donation::TDForm& detailsForm() { return *dForm_; }
    window::Screen screen() const;
    window::DockEdge dockEdge() const;

    // The keyboard shortcuts of the main window's actions (Alt+Up, Alt+Down).
    bool translateAccelerator(MSG& msg);

    // Note commands, also run by the tests.
    void OpenNote();
    SaveResult SaveIfModified();
    void GoUpExecute();
    void GoDownExecute();
    void NMenu_SaveClick();
    void ImmSaveClick();
    void sett_roClick();
    void sett_wwClick();
    void ShowToolBarClick();
    void NotesLBClick();
    void NotesLBDblClick();
    void NotesNamesListDropDown();
    void NoteExit();
    void FocusCurrentNote();
    bool noteIsReadOnly() const;
    bool noteWordWrap() const noexcept { return noteWordWrap_; }
    bool formatBarShown() const noexcept { return formatBarShown_; }
    HMENU notesMenu() const noexcept { return notesMenu_.get(); }
    HMENU editorMenu() const noexcept { return editorMenu_.get(); }
    int selectedNoteIndex() const;
    void PeriodicRefresh();

    // Runs the slides posted so far (the tests call it instead of a message
    // loop).
    void runPendingSlides();

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    // Composition and layout.
    void composeFrame();
    void composeNotesToolbar();
    void composeNotesPage();
    void composeInfoPages();
    void applyInfoFonts();
    void fillHelpTexts();
    void layout();
    void layoutNotesPage();
    int px(int designed) const;

    // Start-up.
    StartResult FormCreate();
    bool singleInstanceRefused();
    void readOptions();
    void EnumerateNotes();
    // NotesLB and Note2List hold copies of NotesNamesList's names.
    void copyNoteNamesToLists();
    void selectRememberedNote();
    void initialPlacement();

    // Message handlers.
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(NMHDR* hdr);
    void OnTimer(UINT_PTR id);
    void OnSize();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnTrayMessage(UINT mouseMessage);
    void OnDestroy();
    void OnClose();
    void OnSlide(bool in);

    void NotesNamesListSelect();
    // Puts a shown decryption back to cipher text, writes the note if it
    // changed and resets the decrypt command: what leaving a note requires.
    bool closeOutgoingNote();
    // Saves the note before it is left; when its text can be kept nowhere,
    // asks the user. False: the user chose to stay with the note.
    bool mayLeaveNote();
    // Saves as a trigger in passing does (focus loss, Ctrl+S); a text kept
    // nowhere is reported to the user once, after the current handler.
    void saveInPassing();
    SaveResult keepUnsavedText(const std::string& rtf, const std::u16string& reason);
    void OnUnsavedNote();
    // Loads the file of CurrentNotePath; a file that cannot be loaded leaves
    // the note closed (editor disabled) and the error propagates.
    void loadCurrentNote();
    // Runs one start-up step: a failure the user must hear of does not stop
    // the start; it is shown once the window is up and the next step runs.
    void startupStep(const std::function<void()>& step);
    void OnStartupErrors();
    void clearEditor();
    void LoadNoteFile(const std::u16string& path);
    int findNoteIndex(const std::u16string& name) const;
    // Chooses the notes folder by the settings page's folder controls and
    // creates it when missing.
    void applyNotesFolderRule();
    std::u16string noteNameAt(int index) const;
    int noteCount() const;
    bool canStepNotes() const;
    void returnCipher();
    void dropCipherBackup();
    void applyNoteSettings(const notes::NoteViewSettings& settings);
    void NotesNamesListCloseUp();
    void composeNoteMenus();
    void updateNotesMenu();
    void showNotesMenu();
    void showEditorMenu(POINT screen);
    void onEditorCommand(int id);
    void LBSplitterMoved();
    static LRESULT CALLBACK noteProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR self);
    static LRESULT CALLBACK splitterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self);
    void NotesPageShow();
    void AdvTimerTimer();
    void bQuitClick();
    void N6Click();

    void setTimer(UINT_PTR id, bool enabled);
    void moveWindowTo(int x, int y);
    void startSlideOut();
    void startSlideIn();
    void applyBorderColor(COLORREF colour);

    // SettingsPageHost.
    settings::IniFile& settingsFile() override { return *state_.settingsFile; }
    void setTrayIconVisible(bool visible) override;
    bool trayIconVisible() const override;
    void setHotkeyEnabled(bool enabled) override;
    void setOpacity(int alpha) override;
    void placeSelected(int edgeIndex) override;
    void borderColorSelected(COLORREF colour) override;
    void applySkin(const std::wstring& name) override;
    void applyDataDir() override;
    void clearCoords() override;
    void quit() override;
    void restart() override;
    std::wstring executablePath() const override { return env_.exePath; }
    std::wstring skinsFolder() const override;

    Environment env_;
    ProgramState state_;
    UINT dpi_ = 96;
    win::UniqueFont font_;
    win::UniqueFont titleFont_;
    win::UniqueFont underlineFont_;
    HWND aboutTitle_ = nullptr;
    win::UniqueIcon icon_;
    win::UniqueKernelHandle mutex_;
    int opacity_ = 255;

    std::array<std::unique_ptr<win::Panel>, 4> strips_; // top, left, right, bottom
    HWND tabs_ = nullptr;
    HWND tooltip_ = nullptr;
    std::array<std::unique_ptr<win::Panel>, 4> pages_;
    std::vector<std::pair<int, HWND>> controls_;
    win::Panel toolbar_;
    win::Panel lbPane_;
    win::Panel lbSplitter_;
    win::Panel nPanel_;
    win::Panel editorPanel_;
    editor::RichEdit note_;
    HWND helpTabs_ = nullptr;
    std::vector<HWND> helpTexts_;
    std::vector<const wchar_t*> helpContents_;
    int listWidth_ = 0;
    bool noteReadOnly_ = false;
    bool noteWordWrap_ = false;
    bool formatBarShown_ = true;
    win::UniqueMenu editorMenu_;
    win::UniqueMenu notesMenu_;
    HACCEL accelerators_ = nullptr;

    settings::SettingsPage settingsPage_{*this};
    std::unique_ptr<window::TrayIcon> tray_;
    std::unique_ptr<window::Hotkey> hotkey_;
    std::unique_ptr<donation::TAdvForm> advForm_;
    std::unique_ptr<donation::TDForm> dForm_;
    std::array<bool, 5> timers_{};
    std::vector<std::u16string> startupErrors_;
    // A note text that could be written neither to its file nor to a
    // recovery file, and whether the user has been told.
    struct UnsavedText {
        std::u16string reason;
        bool told = false;
        std::size_t recoveredHash = 0; // of the text last kept as a recovery file
    };
    UnsavedText unsaved_;
};

} // namespace quivra::app
