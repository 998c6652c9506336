#include "window/floating_panels_win.h"

#include "win/dpi_win.h"

#include <algorithm>

namespace quivra::window {

bool FloatingPanelWindow::create(HWND area, HWND notifyTarget, int id, int dpi) {
    const Size size = panelSize(kind_);
    if (!Panel::create(area, notifyTarget, 0, 0, win::scale(size.width, dpi),
                       win::scale(size.height, dpi), WS_BORDER, 0, id))
        return false;
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

void FloatingPanelWindow::addDragHandle(HWND control) {
    // A label that does not notify lets the mouse through to the panel,
    // which starts the drag.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) & ~SS_NOTIFY);
}

namespace {

// Where the pointer was when the message being handled was sent.
Point messagePoint() {
    const DWORD pos = GetMessagePos();
    return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

} // namespace

std::optional<MouseButton> pressedButton(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // a quick second press is a press like the first
        return MouseButton::Left;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return MouseButton::Middle;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return MouseButton::Right;
    default:
        return std::nullopt;
    }
}

void FloatingPanelWindow::startDrag(MouseButton button) {
    endHandDrag(false);
    if (button == MouseButton::Left) {
        ReleaseCapture();
        SendMessageW(hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        return;
    }
    HWND area = GetParent(hwnd());
    RECT r;
    GetClientRect(area, &r);
    MapWindowPoints(area, nullptr, reinterpret_cast<POINT*>(&r), 2);
    handDrag_.emplace(
        HandDrag{button, PanelDrag(place(), messagePoint(),
                                   Size{GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)},
                                   ScreenRect{r.left, r.top, r.right, r.bottom})});
    SetCapture(hwnd());
}

void FloatingPanelWindow::endHandDrag(bool released) {
    if (!handDrag_)
        return;
    const bool rightClick = handDrag_->button == MouseButton::Right && !handDrag_->drag.moved();
    handDrag_.reset(); // first: releasing the capture reports the change at once
    if (GetCapture() == hwnd())
        ReleaseCapture();
    if (released && rightClick) {
        const Point at = messagePoint();
        SendMessageW(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()),
                     MAKELPARAM(at.x, at.y));
    }
}

LRESULT FloatingPanelWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (const auto button = pressedButton(msg)) {
        if (onMouseDown)
            onMouseDown(*button);
        return 0;
    }
    switch (msg) {
    case WM_MOUSEMOVE:
        if (handDrag_) {
            if (const auto to = handDrag_->drag.follow(messagePoint()))
                moveTo(*to);
            return 0;
        }
        break;
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
        if (handDrag_ &&
            handDrag_->button == (msg == WM_MBUTTONUP ? MouseButton::Middle : MouseButton::Right)) {
            endHandDrag(true);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag ends where it is.
        endHandDrag(false);
        break;
    default:
        break;
    }
    return Panel::handleMessage(msg, wp, lp);
}

bool FloatingPanelWindow::shown() const {
    // The panel's own visibility, whether or not the window shows it now. A
    // panel not made yet has never been shown.
    return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

Point FloatingPanelWindow::place() const {
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top};
}

Size FloatingPanelWindow::size() const {
    RECT r;
    GetWindowRect(hwnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void FloatingPanelWindow::moveTo(Point p) {
    SetWindowPos(hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatingPanels::create(HWND menuOwner, int fixCommand, int resetCommand) {
    menuOwner_ = menuOwner;
    pmWindMenu.reset(CreatePopupMenu());
    AppendMenuW(pmWindMenu.get(), MF_STRING, static_cast<UINT_PTR>(fixCommand),
                L"Фиксация координат");
    AppendMenuW(pmWindMenu.get(), MF_STRING, static_cast<UINT_PTR>(resetCommand),
                L"Сброс координат");
}

void FloatingPanels::add(FloatingPanelWindow& panel) {
    panels_.push_back(&panel);
}

FloatingPanelWindow* FloatingPanels::panelOf(FloatingPanel kind) const {
    for (auto* p : panels_)
        if (p->kind() == kind)
            return p;
    return nullptr;
}

void FloatingPanels::open(FloatingPanelWindow& panel, PasswordUse use) {
    panel.moveTo(panelOpenPlace(*state_.SettingsFile, panel.kind(), areas_(), use, panel.size()));
    SetWindowPos(panel.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void FloatingPanels::openAtDefault(FloatingPanelWindow& panel) {
    // Centred at the size it has on this screen, not its designed one.
    panel.moveTo(
        defaultPanelPlace(panel.kind(), areas_(), PasswordUse::EncryptOrDecrypt, panel.size()));
    SetWindowPos(panel.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

bool FloatingPanels::showMenuFor(HWND window, POINT screen) {
    const bool inPanel = std::any_of(panels_.begin(), panels_.end(), [window](auto* p) {
        return p->hwnd() && (window == p->hwnd() || IsChild(p->hwnd(), window));
    });
    if (!inPanel)
        return false;
    if (screen.x == -1 && screen.y == -1)
        GetCursorPos(&screen);
    TrackPopupMenu(pmWindMenu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, menuOwner_, nullptr);
    return true;
}

ShownPanels FloatingPanels::shownPlaces() const {
    ShownPanels shown;
    for (std::size_t i = 0; i < kFloatingPanels.size(); ++i)
        if (auto* p = panelOf(kFloatingPanels[i]); p && p->shown())
            shown[i] = p->place();
    return shown;
}

void FloatingPanels::apply(const std::vector<PanelMove>& moves) {
    // Every move goes to a default place; a centred panel of another size
    // than designed (the lower password panel) is centred at its size.
    const PanelAreas areas = areas_();
    for (const auto& m : moves)
        if (auto* p = panelOf(m.panel))
            p->moveTo(defaultPanelPlace(m.panel, areas, PasswordUse::EncryptOrDecrypt, p->size()));
}

void FloatingPanels::A2Click() {
    fixPanelPlaces(*state_.SettingsFile, shownPlaces(), areas_().dpi);
}

void FloatingPanels::N44Click() {
    apply(resetPanelPlaces(*state_.SettingsFile, shownPlaces(), areas_()));
}

void FloatingPanels::placeAfterResize() {
    apply(panelPlacesAfterResize(shownPlaces(), areas_()));
}

} // namespace quivra::window
