#include "window/presenter_win.h"

#include "settings/keys.h"
#include "settings/options_win.h"

namespace quivra::window {

Presenter::~Presenter() {
    // The tray icon and the hotkey belong to the window; they go first.
    tray_.reset();
    hotkey_.reset();
}

void Presenter::create(HWND mainWindow, HICON icon, int trayExitCommand) {
    for (auto& s : strips_) {
        s = std::make_unique<win::Panel>();
        s->create(mainWindow, mainWindow, 0, 0, 1, 1);
    }
    tray_ = std::make_unique<TrayIcon>(mainWindow, WM_QUIVRA_TRAY, trayExitCommand, icon);
    hotkey_ = std::make_unique<Hotkey>(mainWindow);
    panels_.create(mainWindow, ID_A2, ID_N44);
}

void Presenter::layoutStrips(int w, int h) {
    const int f = host_.scale(3);
    MoveWindow(strips_[0]->hwnd(), 0, 0, w, f, TRUE);
    MoveWindow(strips_[1]->hwnd(), 0, f, f, h - 2 * f, TRUE);
    MoveWindow(strips_[2]->hwnd(), w - f, f, f, h - 2 * f, TRUE);
    MoveWindow(strips_[3]->hwnd(), 0, h - f, w, f, TRUE);
}

void Presenter::setOpacity(int alpha) {
    opacity_ = alpha;
    SetLayeredWindowAttributes(host_.mainWindow(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void Presenter::setBorderColor(COLORREF colour) {
    for (auto& s : strips_)
        s->setBackground(colour);
}

void Presenter::moveWindowTo(int x, int y) {
    SetWindowPos(host_.mainWindow(), nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Presenter::moveToEdge(int edgeIndex) {
    RECT wr;
    GetWindowRect(host_.mainWindow(), &wr);
    if (auto p = shownPosition(dockEdgeFromIndex(edgeIndex), screen(), wr.right - wr.left,
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
    if (options_.ticked(settings::ID_DISABLESHOWINGONSTART)) // S1
        return;
    startSlideOut();         // S2
    setTimer(kTimer2, true); // S3
}

void Presenter::startSlideOut() {
    PostMessageW(host_.mainWindow(), WM_QUIVRA_SLIDE, 0, 0);
}

void Presenter::startSlideIn() {
    PostMessageW(host_.mainWindow(), WM_QUIVRA_SLIDE, 1, 0);
}

void Presenter::OnSlide(bool in) {
    const auto edge = dockEdge();
    RECT wr;
    GetWindowRect(host_.mainWindow(), &wr);
    const int w = wr.right - wr.left;
    const int h = wr.bottom - wr.top;
    const bool horizontal = edge == DockEdge::Left || edge == DockEdge::Right;
    const int start = horizontal ? wr.left : wr.top;
    const int step =
        options_.sliderPosition(in ? settings::ID_DELAYSHOWBAR : settings::ID_DELAYHIDEBAR);
    const auto coords = in ? slideInCoordinates(edge, start, step, screen(), w, h)
                           : slideOutCoordinates(edge, start, step, screen(), w, h);
    for (int c : coords)
        moveWindowTo(horizontal ? c : wr.left, horizontal ? wr.top : c);
}

void Presenter::runPendingSlides() {
    MSG msg;
    while (PeekMessageW(&msg, host_.mainWindow(), WM_QUIVRA_SLIDE, WM_QUIVRA_SLIDE, PM_REMOVE))
        DispatchMessageW(&msg);
}

void Presenter::setTrayIconVisible(bool visible) {
    tray_->setVisible(visible);
}

bool Presenter::trayIconVisible() const {
    return tray_->visible();
}

void Presenter::OnTrayMessage(UINT mouseMessage) {
    if (mouseMessage == WM_RBUTTONUP)
        tray_->showMenu();
}

void Presenter::onTaskbarCreated() {
    tray_->onTaskbarCreated();
}

void Presenter::setHotkeyEnabled(bool enabled) {
    if (enabled)
        hotkey_->registerKeys();
    else
        hotkey_->unregister();
}

void Presenter::setTimer(UINT_PTR id, bool enabled) {
    bool& on = id == kTimer1 ? timer1_ : timer2_;
    if (enabled)
        SetTimer(host_.mainWindow(), id, id == kTimer1 ? 50 : 1, nullptr);
    else
        KillTimer(host_.mainWindow(), id);
    on = enabled;
}

bool Presenter::timerEnabled(UINT_PTR id) const {
    return id == kTimer1 ? timer1_ : id == kTimer2 && timer2_;
}

void Presenter::stopTimers() {
    setTimer(kTimer1, false);
    setTimer(kTimer2, false);
}

void Presenter::PeriodicRefresh() {
    if (gatherFacts)
        refresh_.run(gatherFacts());
}

bool Presenter::onCommand(int id, int, HWND) {
    switch (id) {
    case ID_A2:
        panels_.A2Click();
        return true;
    case ID_N44:
        panels_.N44Click();
        return true;
    default:
        // The hide button's path arrives with the window's activation paths.
        return id == ID_HIDEBUTTON;
    }
}

bool Presenter::onTimer(UINT_PTR id) {
    if (id == kTimer1) {
        PeriodicRefresh();
        return true;
    }
    return id == kTimer2; // the keeper arrives with the activation paths
}

} // namespace quivra::window
