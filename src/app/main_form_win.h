// The main window `TMainForm`: borderless, always on top, alpha-blended,
// docked at a screen edge. It composes: the frame, the four pages and their
// layout, the editor area, the start-up sequence in its step order, quit and
// restart, and the router that hands every control's messages to the
// subsystem owning it (notes, presentation, settings, donation, ...). A new
// command belongs to its subsystem's controller, never here.
#pragma once

#include "app/app_ids.h"
#include "app/command_router_win.h"
#include "app/environment_win.h"
#include "app/info_pages_win.h"
#include "app/shutdown_win.h"
#include "app/startup_timeline_win.h"
#include "app/subsystem_links_win.h"
#include "crypto/cipher_state_win.h"
#include "crypto/crypto_controller_win.h"
#include "document/rich_edit_win.h"
#include "donation/donation_controller_win.h"
#include "editor/formatting_controller_win.h"
#include "notes/notes_controller_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "search/search_controller_win.h"
#include "settings/settings_page_win.h"
#include "win/handles_win.h"
#include "win/hints_win.h"
#include "win/panel_win.h"
#include "win/window_win.h"
#include "window/confirm_panel_win.h"
#include "window/presenter_win.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace quivra::app {

enum class StartResult { Started, Refused, Failed };

class TMainForm final : public win::Window, private program::Host {
  public:
    explicit TMainForm(Environment env);
    ~TMainForm() override;

    // Creates the window with its controls and runs the start-up sequence.
    StartResult create();
    // First showing: makes the window visible and starts the first slide-out.
    void FormShow();
    // The keyboard shortcuts of every subsystem.
    bool translateAccelerator(MSG& msg);

    // The subsystems and the services they share.
    program::ProgramState& state() noexcept { return state_; }
    const Environment& environment() const noexcept { return env_; }
    document::RichEdit& note() noexcept { return note_; }
    crypto::CipherState& cipher() noexcept { return cipher_; }
    notes::NotesController& notes() noexcept { return notes_; }
    window::Presenter& presenter() noexcept { return presenter_; }
    crypto::CryptoController& crypto() noexcept { return crypto_; }
    settings::SettingsPage& settingsPage() noexcept { return settingsPage_; }
    donation::DonationController& donation() noexcept { return donation_; }
    editor::FormattingController& formatting() noexcept { return formatting_; }
    window::ConfirmPanel& confirmPanel() noexcept { return confirm_; }
    search::SearchController& search() noexcept { return search_; }
    win::Hints& hints() noexcept { return hints_; }
    // What the subsystems may ask of the window, for the links between them.
    program::Host& host() noexcept { return *this; }

    // How long each phase of create() and FormShow() took.
    const app::StartupTimeline& timeline() const noexcept { return timeline_; }

    // The notes page is made at start-up, the others when first shown.
    HWND page(program::Page p) const {
        const auto& made = pages_[static_cast<int>(p)];
        return made ? made->hwnd() : nullptr;
    }
    HWND pagesControl() const noexcept { return QuivraPages; }
    HWND hideButton() const noexcept { return HideButton; }
    // The notes page's and the editor's client sizes, where floating
    // panels are placed.
    window::PanelAreas panelAreas() const;
    program::Page activePage() const override;
    void showPage(program::Page page) override;

    // Quit, restart and the other ways the program ends.
    Shutdown& shutdown() noexcept { return shutdown_; }
    // "Применить" on the settings page: the notes folder switches.
    void applyDataDir();

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    // Composition and layout.
    void composeFrame();
    void composeEditorArea();
    HWND ensurePage(program::Page p);
    RECT pageArea() const;
    void raiseOverPages();
    void layout();
    void layoutNotesPage();

    // Start-up.
    void chooseSettingsFile();
    StartResult FormCreate();
    // The stored sizes (96-DPI units, at least the minimum) in device pixels.
    int storedListWidth() const;
    int storedWidth() const;
    int storedHeight() const;
    // Takes the single-instance mutex. A copy the restart command started
    // (`restarted`) waits a few seconds for the copy that started it to end;
    // any other finds it taken at once. Refused: the second-copy message was
    // shown and the program must end.
    bool singleInstanceRefused(bool restarted);
    void readOptions();
    void applyNotesFolderRule();
    // Runs one start-up step: a failure the user must hear of does not stop
    // the start; it is shown once the window is up and the next step runs.
    void startupStep(const std::function<void()>& step);
    void OnStartupErrors();

    // Message handlers.
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(NMHDR& hdr);
    void OnSize();
    void OnGetMinMaxInfo(MINMAXINFO* info);

    // win::Host.
    HWND mainWindow() const override { return hwnd(); }
    int scale(int designed) const override;
    int unscale(int device) const override;
    void addHint(HWND control, const wchar_t* text) override;
    void addHint(HWND window, UINT id, const RECT& area, const wchar_t* text) override;
    void giveFont(HWND root) override;
    void relayoutEditorArea() override { layoutNotesPage(); }
    void pauseRefresh() override;
    void resumeRefresh() override;

    Environment env_;
    app::StartupTimeline timeline_;
    program::ProgramState state_;
    UINT dpi_ = 96;
    win::UniqueFont font_;
    win::UniqueIcon icon_;
    win::UniqueKernelHandle mutex_;
    win::UniqueAccel shortcuts_;

    // The frame and the pages; children the window destroys with itself.
    HWND QuivraPages = nullptr;
    win::Hints hints_;
    HWND HideButton = nullptr;
    std::array<std::unique_ptr<win::Panel>, 4> pages_;
    win::Panel NPanel;
    win::Panel EditorPanel;
    win::Panel searchBar_; // SearchAnd2NotePanel: the search box, the second view's chooser
    document::RichEdit note_;
    InfoPages infoPages_{*this};
    // The control that had the focus when the window lost the activation.
    HWND focusOnLeaving_ = nullptr;

    // The subsystems in the order they are built, and their links.
    SubsystemLinks links_{*this};
    settings::SettingsPage settingsPage_{links_};
    crypto::CipherState cipher_{state_, note_, links_};
    notes::NotesController notes_{*this,   state_, note_,      settingsPage_,
                                  cipher_, links_, formatting_};
    window::Presenter presenter_{*this, state_, settingsPage_, links_};
    donation::DonationController donation_{*this, state_};
    window::ConfirmPanel confirm_;
    editor::FormattingController formatting_{
        *this, state_, note_, settingsPage_, presenter_.panels(), confirm_, links_};
    search::SearchController search_{*this,  state_, note_,      settingsPage_,
                                     links_, links_, formatting_};
    crypto::CryptoController crypto_{
        *this, state_, note_, settingsPage_, cipher_, presenter_.panels(), links_, links_};
    Shutdown shutdown_{*this, env_, state_, {note_, cipher_, notes_, presenter_, crypto_}};
    CommandRouter router_;

    std::vector<std::u16string> startupErrors_;
};

} // namespace quivra::app
