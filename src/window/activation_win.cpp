// Every path that calls the window in or sends it away: the hotkey, the edge
// strips, the tray icon, the hide button, Esc in the editor and the auto-hide
// when the window loses the activation; the keeper of the hidden window; the
// resize borders and the return to the edge after a move or resize.
#include "window/presenter_win.h"

#include "settings/keys.h"
#include "win/handles_win.h"
#include "win/message_box_win.h"
#include "window/resize_hit_test.h"

namespace quivra::window {

void Presenter::showNotesPage() {
    host_.showPage(program::Page::Notes);
    UpdateWindow(host_.mainWindow());
}

void Presenter::SummonOrDismiss() {
    showNotesPage();
    content_.returnCipher();
    setOpacity(options_.sliderPosition(settings::ID_OPVAL));
    setTimer(Timer2, false);
    {
        // The editor is painted once before and once after the toggle.
        UpdateWindow(content_.editorWindow());
        win::RedrawSuspension redraw(content_.editorWindow());
        content_.releaseCtrl();
        BringWindowToTop(host_.mainWindow());
        ToggleWindow();
        if (state_.isShown) // the list box shows the note the names list has
            content_.syncListSelection();
    }
    setTimer(Timer1, state_.isShown); // the auto-hide watches a shown window
}

void Presenter::OnHotkey(WPARAM id) {
    if (hotkey_->atom() == 0 || id != hotkey_->atom())
        return;
    SummonOrDismiss();
    BringWindowToTop(host_.mainWindow());
}

void Presenter::TopBvlClick() {
    if (!options_.ticked(settings::ID_ISDBLCLICK))
        SummonOrDismiss();
}

void Presenter::TopBvlDblClick() {
    showNotesPage();
    ToggleWindow();
    setTimer(Timer1, state_.isShown);
}

void Presenter::TrayIconClick() {
    if (!options_.ticked(settings::ID_ISDBLCLICK))
        trayToggle();
}

void Presenter::TrayIconDblClick() {
    if (options_.ticked(settings::ID_ISDBLCLICK))
        trayToggle();
}

void Presenter::trayToggle() {
    showNotesPage();
    setTimer(Timer2, state_.isShown); // taken before the toggle
    ToggleWindow();
    setTimer(Timer1, state_.isShown);
    if (state_.isShown && options_.ticked(settings::ID_ISFOCUSONTRAYCLICK))
        SetForegroundWindow(host_.mainWindow());
}

void Presenter::HideButtonClick() {
    UpdateWindow(host_.mainWindow());
    content_.returnCipher();
    ToggleWindow();
    setTimer(Timer1, state_.isShown);
    setTimer(Timer2, true);
}

void Presenter::NoteEscape() {
    showNotesPage();
    UpdateWindow(host_.mainWindow());
    ToggleWindow();
    setTimer(Timer1, state_.isShown);
}

void Presenter::Timer1Timer() {
    PeriodicRefresh();
    // A box the program shows makes the window inactive without the user
    // having left it.
    if (timer1_ && GetActiveWindow() != host_.mainWindow() && !win::messageBoxShowing())
        AutoHide();
}

void Presenter::AutoHide() {
    setTimer(Timer1, false);
    content_.returnCipher();
    if (!content_.noteReadOnly())
        content_.saveIfModified();
    host_.showPage(program::Page::Notes);
    ToggleWindow(); // the window is shown, so it hides
    setTimer(Timer2, true);
}

namespace {

// Whether a visible window above the hidden one lies over the part of it
// that is on the screen (its one-pixel line).
bool lineCovered(HWND w) {
    RECT line;
    GetWindowRect(w, &line);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&line, &line, &screen))
        return false;
    for (HWND above = GetWindow(w, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT r, overlap;
        if (IsWindowVisible(above) && GetWindowRect(above, &r) &&
            IntersectRect(&overlap, &r, &line))
            return true;
    }
    return false;
}

} // namespace

void Presenter::HiddenKeeper() {
    if (content_.donationShowing() || state_.isShown)
        return;
    HWND w = host_.mainWindow();
    const RECT r = windowRect();
    const auto p = HiddenPosition(dockEdge(), screen(), r.right - r.left, r.bottom - r.top);
    // Moving or raising the window costs a restacking of the X window under
    // Wine every time (1.4% of a core at 10 ticks a second). So the window is
    // only moved when it left its place and only raised when another window
    // lies over its line.
    const bool moved = p && (p->x != r.left || p->y != r.top);
    // Looking at the windows above costs more; once a second is soon enough
    // for a window that came up over the line.
    const bool covered = ++keeperTicks_ % kKeeperTicksPerZOrderCheck == 0 && lineCovered(w);
    if (!moved && !covered)
        return;
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!moved)
        flags |= SWP_NOMOVE;
    if (!covered)
        flags |= SWP_NOZORDER;
    SetWindowPos(w, HWND_TOP, p ? p->x : 0, p ? p->y : 0, 0, 0, flags);
}

int Presenter::hitTest(POINT cursor) const {
    const RECT r = windowRect();
    return resizeHitTest(dockEdge(), {cursor.x, cursor.y}, {r.left, r.top},
                         {r.right - r.left, r.bottom - r.top}, host_.scale(kResizeBorder));
}

int Presenter::windowHitTest(POINT screen) const {
    POINT client = screen;
    ScreenToClient(host_.mainWindow(), &client);
    return onFrame(client) ? HTCLIENT : hitTest(screen);
}

bool Presenter::frameClicked(UINT msg, POINT client) {
    if (!onFrame(client))
        return false;
    if (msg == WM_LBUTTONDBLCLK)
        TopBvlDblClick();
    else
        TopBvlClick();
    return true;
}

void Presenter::RecentreOnEdge() {
    const RECT r = windowRect();
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    // Back at the edge, in the size the user gave it.
    if (auto p = ShownPosition(dockEdge(), screen(), w, h))
        moveWindowTo(p->x, p->y);
    // Stored in 96-DPI units, as every path that sizes the window reads it.
    settings::write(*state_.SettingsFile, settings::keys::Height, host_.unscale(h));
    settings::write(*state_.SettingsFile, settings::keys::Width, host_.unscale(w));
    panels_.placeAfterResize(); // the floating panels that show follow the window
}

} // namespace quivra::window
