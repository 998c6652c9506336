// The main window at its screen edge: the four edge strips of its frame, its
// opacity and frame colour, the moves to another edge, the slides between
// the shown and hidden places, the tray icon, the Win+N hotkey, and the two
// timers that accompany the window (the 50 ms refresh and the keeper of the
// hidden window).
#pragma once

#include "platform/id_blocks.h"
#include "platform/panel_win.h"
#include "platform/program_state.h"
#include "platform/subsystem_win.h"
#include "settings/options_win.h"
#include "window/docking.h"
#include "window/floating_panels_win.h"
#include "window/hotkey_win.h"
#include "window/refresh_table.h"
#include "window/tray_icon_win.h"

#include <array>
#include <functional>
#include <memory>

namespace quivra::window {

enum WindowId : int {
    ID_HIDEBUTTON = kWindowIds.first,
    kTimer1, // PeriodicRefresh, 50 ms, while shown
    kTimer2, // HiddenKeeper, 1 ms
    ID_A2,   // "Фиксация координат" of the floating panels' menu
    ID_N44,  // "Сброс координат"
    // The floating panels, whoever owns their controls.
    ID_FONTPANEL,
    ID_NAMEPANEL,
    ID_CONFIRMPANEL,
    ID_PASSWORDPANEL,
    ID_WINDOW_LAST = ID_PASSWORDPANEL,
};
static_assert(kWindowIds.contains(ID_WINDOW_LAST));

// Private messages of the main window that the presenter handles.
inline constexpr UINT WM_QUIVRA_SLIDE = WM_APP + 1; // wParam: 1 slide in, 0 slide out
inline constexpr UINT WM_QUIVRA_TRAY = WM_APP + 2;  // lParam: the mouse message

class Presenter final : public win::Subsystem {
  public:
    Presenter(win::Host& host, ProgramState& state, const settings::Options& options)
        : host_(host), state_(state), options_(options),
          panels_(state, [this] { return panelAreas ? panelAreas() : PanelAreas{}; }) {}
    ~Presenter() override;

    // Builds the strips on the main window, the tray icon (its menu's
    // "Выход" sends `trayExitCommand`) and the hotkey.
    void create(HWND mainWindow, HICON icon, int trayExitCommand);
    void layoutStrips(int width, int height);
    HWND edgeStrip(int index) const { return strips_[index]->hwnd(); }

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

    // --- Slides ---------------------------------------------------------------
    // A slide runs after the handler that started it has returned, in the
    // order started.
    void startSlideOut();
    void startSlideIn();
    void OnSlide(bool in);
    // Runs the slides posted so far (the tests call it instead of a loop).
    void runPendingSlides();

    // --- Tray icon and hotkey -------------------------------------------------
    void setTrayIconVisible(bool visible);
    bool trayIconVisible() const;
    TrayIcon& trayIcon() { return *tray_; }
    void OnTrayMessage(UINT mouseMessage);
    void onTaskbarCreated();
    void setHotkeyEnabled(bool enabled);
    Hotkey& hotkey() { return *hotkey_; }

    // --- Floating panels ---------------------------------------------------------
    FloatingPanels& panels() { return panels_; }
    // The sizes of the notes page and the editor, from the main window.
    std::function<PanelAreas()> panelAreas;

    // --- Timers ------------------------------------------------------------------
    void setTimer(UINT_PTR id, bool enabled);
    bool timerEnabled(UINT_PTR id) const;
    // The facts of one refresh tick, gathered by the main window, which
    // knows every subsystem.
    std::function<RefreshFacts()> gatherFacts;
    RefreshTable& refreshTable() { return refresh_; }
    void PeriodicRefresh();
    // Stops both timers for good (the window is going).
    void stopTimers();

    // --- win::Subsystem -----------------------------------------------------------
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;

  private:
    void moveWindowTo(int x, int y);

    win::Host& host_;
    ProgramState& state_;
    const settings::Options& options_;
    std::array<std::unique_ptr<win::Panel>, 4> strips_; // top, left, right, bottom
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<Hotkey> hotkey_;
    RefreshTable refresh_;
    FloatingPanels panels_;
    int opacity_ = 255;
    bool timer1_ = false;
    bool timer2_ = false;
};

} // namespace quivra::window
