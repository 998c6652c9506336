#include "window/presenter_win.h"

#include "settings/keys.h"
#include "settings/options_win.h"

#include <algorithm>

namespace quivra::window {

Presenter::~Presenter() {
    // The tray icon and the hotkey belong to the window; they go first.
    tray_.reset();
    hotkey_.reset();
}

void Presenter::create(HWND mainWindow, HICON icon, int trayExitCommand) {
    tray_ = std::make_unique<TrayIcon>(mainWindow, WM_QUIVRA_TRAY, trayExitCommand, icon);
    hotkey_ = std::make_unique<Hotkey>(mainWindow);
    panels_.create(mainWindow, A2, N44);
}

std::array<RECT, 4> Presenter::frameStrips() const {
    RECT c;
    GetClientRect(host_.mainWindow(), &c);
    const int f = host_.scale(3);
    return {{{0, 0, c.right, f},                      // TopBvl
             {0, f, f, c.bottom - f},                 // LeftBvl
             {c.right - f, f, c.right, c.bottom - f}, // RightBvl
             {0, c.bottom - f, c.right, c.bottom}}};  // BottomBvl
}

void Presenter::repaintFrame() {
    // Only the strips repaint: the page control covers the rest of the client
    // area, and the window clips its children.
    InvalidateRect(host_.mainWindow(), nullptr, TRUE);
}

void Presenter::paintFrame(HDC dc) const {
    SetDCBrushColor(dc, frameColour_);
    for (const RECT& r : frameStrips())
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

bool Presenter::onFrame(POINT client) const {
    const auto strips = frameStrips();
    return std::any_of(strips.begin(), strips.end(),
                       [client](const RECT& r) { return PtInRect(&r, client) != FALSE; });
}

void Presenter::setOpacity(int alpha) {
    opacity_ = alpha;
    // The window becomes a layered one the first time it is not fully opaque
    // (at the latest when it first hides): under Wine a layered window costs
    // its first showing several milliseconds more.
    HWND w = host_.mainWindow();
    const auto exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) {
        if (alpha >= 255)
            return;
        SetWindowLongPtrW(w, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    }
    SetLayeredWindowAttributes(w, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void Presenter::setBorderColor(COLORREF colour) {
    frameColour_ = colour;
    repaintFrame();
}

void Presenter::moveWindowTo(int x, int y) {
    SetWindowPos(host_.mainWindow(), nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Presenter::moveToEdge(int edgeIndex) {
    RECT wr;
    GetWindowRect(host_.mainWindow(), &wr);
    if (auto p = ShownPosition(dockEdgeFromIndex(edgeIndex), screen(), wr.right - wr.left,
                               wr.bottom - wr.top))
        moveWindowTo(p->x, p->y);
}

Screen Presenter::screen() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

DockEdge Presenter::dockEdge() const {
    return dockEdgeFromIndex(options_.placeIndex());
}

void Presenter::initialPlacement() {
    RECT wr;
    GetWindowRect(host_.mainWindow(), &wr);
    const auto placement =
        window::initialPlacement(dockEdge(), options_.ticked(settings::ID_DISABLESHOWINGONSTART),
                                 options_.sliderPosition(settings::ID_OPVAL), screen(),
                                 wr.right - wr.left, wr.bottom - wr.top);
    if (!placement)
        return;
    setOpacity(placement->opacity);
    moveWindowTo(placement->position.x, placement->position.y);
    if (placement->bringToTop)
        BringWindowToTop(host_.mainWindow());
}

void Presenter::firstShowing() {
    // A shell that refuses the icon now (an autostart before the
    // notification area is ready) is asked again a few times; the option
    // stays as the user set it.
    if (!tray_->makeReady())
        startTrayRetries();
    // A silent start is at its hidden place already; a shown one slides out
    // whatever the hide animation option says.
    if (options_.ticked(settings::ID_DISABLESHOWINGONSTART))
        return;
    startSlideOut();
    setTimer(Timer2, true); // keeps the window at its hidden place
}

void Presenter::setTrayIconVisible(bool visible) {
    tray_->setVisible(visible);
    if (!tray_->retry())
        startTrayRetries();
}

bool Presenter::trayIconWanted() const {
    return tray_->wanted();
}

void Presenter::startTrayRetries() {
    trayRetriesLeft_ = kTrayRetries;
    SetTimer(host_.mainWindow(), kTrayRetryTimer, kTrayRetryPeriodMs, nullptr);
}

void Presenter::retryTrayIcon() {
    if (tray_->retry() || --trayRetriesLeft_ <= 0) {
        trayRetriesLeft_ = 0;
        KillTimer(host_.mainWindow(), kTrayRetryTimer);
    }
}

void Presenter::OnTrayMessage(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        TrayIconClick();
        break;
    case WM_LBUTTONDBLCLK:
        TrayIconDblClick();
        break;
    case WM_RBUTTONUP:
        tray_->showMenu();
        break;
    default:
        break;
    }
}

void Presenter::onTaskbarCreated() {
    tray_->onTaskbarCreated();
    if (!tray_->retry())
        startTrayRetries();
}

settings::HotkeyKeys Presenter::hotkeyKeys() const {
    return settings::hotkeyFromFieldWord(read(*state_.SettingsFile, settings::keys::HotkeyKeys))
        .value_or(settings::kWinN);
}

bool Presenter::setHotkeyEnabled(bool enabled) {
    if (!enabled) {
        hotkey_->unregister();
        return true;
    }
    return hotkey_->registerKeys(hotkeyKeys());
}

bool Presenter::setHotkeyKeys(std::optional<settings::HotkeyKeys> keys) {
    if (const auto word = keys ? settings::fieldWordFromHotkey(*keys) : std::nullopt)
        settings::write(*state_.SettingsFile, settings::keys::HotkeyKeys, *word);
    else
        settings::remove(*state_.SettingsFile, settings::keys::HotkeyKeys);
    return hotkey_->atom() == 0 || hotkey_->registerKeys(keys.value_or(settings::kWinN));
}

void Presenter::setTimer(UINT_PTR id, bool enabled) {
    bool& on = id == Timer1 ? timer1_ : timer2_;
    if (enabled)
        SetTimer(host_.mainWindow(), id, id == Timer1 ? kRefreshPeriodMs : kKeeperPeriodMs,
                 nullptr);
    else
        KillTimer(host_.mainWindow(), id);
    on = enabled;
}

bool Presenter::timerEnabled(UINT_PTR id) const {
    return id == Timer1 ? timer1_ : id == Timer2 && timer2_;
}

void Presenter::stopTimers() {
    setTimer(Timer1, false);
    setTimer(Timer2, false);
    KillTimer(host_.mainWindow(), kTrayRetryTimer);
}

void Presenter::PeriodicRefresh() {
    refresh_.run(content_.refreshFacts());
}

bool Presenter::onCommand(int id, int code, HWND) {
    switch (id) {
    case A2:
        panels_.A2Click();
        return true;
    case N44:
        panels_.N44Click();
        return true;
    case ID_HIDEBUTTON:
        if (code == BN_CLICKED)
            HideButtonClick();
        return true;
    default:
        return false;
    }
}

bool Presenter::onTimer(UINT_PTR id) {
    if (id == Timer1)
        Timer1Timer();
    else if (id == Timer2)
        HiddenKeeper();
    else if (id == kTrayRetryTimer)
        retryTrayIcon();
    else
        return false;
    return true;
}

} // namespace quivra::window
