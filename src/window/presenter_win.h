// The main window at its screen edge: the four edge strips of its frame, its
// opacity and frame colour, the moves to another edge, the slides between
// the shown and hidden places, the tray icon, the Win+N hotkey, and the two
// timers that accompany the window (the 50 ms refresh and the keeper of the
// hidden window).
#pragma once

#include "program/program_state.h"
#include "program/refresh_table.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "window/docking.h"
#include "window/floating_panels_win.h"
#include "window/hotkey_win.h"
#include "window/shown_content_win.h"
#include "window/tray_icon_win.h"
#include "window/window_ids.h"

#include <array>
#include <functional>
#include <memory>

namespace quivra::window {

// The refresh runs every 50 ms while the window is shown. The keeper of the
// hidden window needs no faster period than a person notices: polling at the
// platform's 1 ms minimum cost about 2% of a core under Wine for nothing. It
// looks at the window's place five times a second and at the windows above
// its line once a second.
inline constexpr UINT kRefreshPeriodMs = 50;
inline constexpr UINT kKeeperPeriodMs = 200;
inline constexpr unsigned kKeeperTicksPerZOrderCheck = 5;
// A tray icon the shell refused is asked for this often, this many times
// (the taskbar's restart message asks at once as well).
inline constexpr UINT kTrayRetryPeriodMs = 2000;
inline constexpr int kTrayRetries = 5;

// Private messages of the main window that the presenter handles.
inline constexpr UINT WM_QUIVRA_SLIDE = WM_APP + 1; // wParam: 1 slide in, 0 slide out
inline constexpr UINT WM_QUIVRA_TRAY = WM_APP + 2;  // lParam: the mouse message

class Presenter final : public program::Subsystem {
  public:
    Presenter(program::Host& host, program::ProgramState& state, const settings::Options& options,
              ShownContent& content)
        : host_(host), state_(state), options_(options), content_(content),
          panels_(state, [this] { return content_.panelAreas(); }) {}
    ~Presenter() override;

    // Builds the tray icon (its menu's "Выход" sends `trayExitCommand`) and
    // the hotkey.
    void create(HWND mainWindow, HICON icon, int trayExitCommand);

    // The frame: four 3 px edge strips along the window's sides, in the
    // border colour. The main window paints them and takes their clicks
    // (TopBvlClick, TopBvlDblClick); children would cost a window each.
    std::array<RECT, 4> frameStrips() const; // top, left, right, bottom
    // After the window's size or the border colour changed.
    void repaintFrame();
    void paintFrame(HDC dc) const;
    // Whether a point of the client area lies on a strip.
    bool onFrame(POINT client) const;

    // --- Look and place ------------------------------------------------------
    void setOpacity(int alpha);
    int opacity() const noexcept { return opacity_; }
    void setBorderColor(COLORREF colour);
    // The window to the shown place of another edge.
    void moveToEdge(int edgeIndex);
    Screen screen() const;
    DockEdge dockEdge() const;
    // Start-up's placement: shown or hidden at the dock edge.
    void initialPlacement();
    // The first showing: the slide-out and the keeper of the hidden window,
    // unless the program starts hidden.
    void firstShowing();

    // --- Showing and hiding --------------------------------------------------
    // Moves the window between its hidden and shown places; returns with
    // IsShown telling the new state (a slide may still be pending).
    void ToggleWindow();
    // The hotkey and a single click on an edge strip.
    void SummonOrDismiss();
    // Clicks on the tray icon and on the edge strips.
    void TrayIconClick();
    void TrayIconDblClick();
    void TopBvlClick();
    void TopBvlDblClick();
    void HideButtonClick();
    // Esc typed in the editor.
    void NoteEscape();
    void OnHotkey(WPARAM id);
    // Each 50 ms tick: the refresh, then the auto-hide when the window is no
    // longer the active one.
    void Timer1Timer();
    void AutoHide();
    // The keeper of the hidden window.
    void HiddenKeeper();
    // The resize border under the cursor (screen coordinates).
    int hitTest(POINT screen) const;
    // The main window's answer to WM_NCHITTEST: an edge strip answers as the
    // control it is, so the borders are grabbed between a strip and the page
    // control inside it.
    int windowHitTest(POINT screen) const;
    // A left click or double click on the main window's client area; false
    // when it was not on an edge strip.
    bool frameClicked(UINT msg, POINT client);
    // After the user moved or resized the window.
    void RecentreOnEdge();

    // --- Slides ---------------------------------------------------------------
    // A slide runs after the handler that started it has returned, in the
    // order started.
    void startSlideOut();
    void startSlideIn();
    void OnSlide(bool in);
    // Runs the slides posted so far (the tests call it instead of a loop).
    void runPendingSlides();

    // --- Tray icon and hotkey -------------------------------------------------
    // The option: the icon wanted, whether or not the shell has taken it yet.
    void setTrayIconVisible(bool visible);
    bool trayIconWanted() const;
    TrayIcon& trayIcon() { return *tray_; }
    void OnTrayMessage(UINT mouseMessage);
    void onTaskbarCreated();
    // Registers (or releases) the hotkey with the stored combination; false
    // when the system refuses the combination.
    bool setHotkeyEnabled(bool enabled);
    // The combination chosen on the settings page (nothing: Win+N).
    bool setHotkeyKeys(std::optional<settings::HotkeyKeys> keys);
    Hotkey& hotkey() { return *hotkey_; }

    // --- Floating panels ---------------------------------------------------------
    FloatingPanels& panels() { return panels_; }

    // --- Timers ------------------------------------------------------------------
    void setTimer(UINT_PTR id, bool enabled);
    bool timerEnabled(UINT_PTR id) const;
    // The facts of one refresh tick.
    program::RefreshFacts refreshFacts() const { return content_.refreshFacts(); }
    program::RefreshTable& refreshTable() { return refresh_; }
    void PeriodicRefresh();
    // Stops both timers for good (the window is going).
    void stopTimers();

    // --- win::Subsystem -----------------------------------------------------------
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;

  private:
    void moveWindowTo(int x, int y);
    RECT windowRect() const;
    bool takenAsShown() const;
    void showNotesPage();
    void trayToggle();
    void startTrayRetries();
    void retryTrayIcon();
    settings::HotkeyKeys hotkeyKeys() const;

    program::Host& host_;
    program::ProgramState& state_;
    const settings::Options& options_;
    ShownContent& content_;
    COLORREF frameColour_ = RGB(0, 0, 255);
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<Hotkey> hotkey_;
    program::RefreshTable refresh_;
    FloatingPanels panels_;
    int opacity_ = 255;
    unsigned keeperTicks_ = 0;
    bool timer1_ = false;
    bool timer2_ = false;
    int trayRetriesLeft_ = 0;
};

} // namespace quivra::window
