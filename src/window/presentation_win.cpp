// The main window at its screen edge: opacity, the frame colour, moves to
// another edge and the slides between the shown and hidden places.
#include "app/main_form_win.h"
#include "settings/keys.h"

namespace quivra::app {

void TMainForm::setOpacity(int alpha) {
    opacity_ = alpha;
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void TMainForm::moveWindowTo(int x, int y) {
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::placeSelected(int edgeIndex) {
    settings::write(*state_.settingsFile, settings::keys::Placement, edgeIndex);
    RECT wr;
    GetWindowRect(hwnd(), &wr);
    if (auto p = window::shownPosition(window::dockEdgeFromIndex(edgeIndex), screen(),
                                       wr.right - wr.left, wr.bottom - wr.top))
        moveWindowTo(p->x, p->y);
}

void TMainForm::applyBorderColor(COLORREF colour) {
    for (auto& s : strips_)
        s->setBackground(colour);
}

void TMainForm::borderColorSelected(COLORREF colour) {
    applyBorderColor(colour);
}

void TMainForm::startSlideOut() {
    PostMessageW(hwnd(), WM_QUIVRA_SLIDE, 0, 0);
}

void TMainForm::startSlideIn() {
    PostMessageW(hwnd(), WM_QUIVRA_SLIDE, 1, 0);
}

void TMainForm::OnSlide(bool in) {
    const auto edge = dockEdge();
    RECT wr;
    GetWindowRect(hwnd(), &wr);
    const int w = wr.right - wr.left;
    const int h = wr.bottom - wr.top;
    const bool horizontal = edge == window::DockEdge::Left || edge == window::DockEdge::Right;
    const int start = horizontal ? wr.left : wr.top;
    const int step =
        settingsPage_.sliderPosition(in ? settings::ID_DELAYSHOWBAR : settings::ID_DELAYHIDEBAR);
    const auto coords = in ? window::slideInCoordinates(edge, start, step, screen(), w, h)
                           : window::slideOutCoordinates(edge, start, step, screen(), w, h);
    for (int c : coords)
        moveWindowTo(horizontal ? c : wr.left, horizontal ? wr.top : c);
}

void TMainForm::runPendingSlides() {
    MSG msg;
    while (PeekMessageW(&msg, hwnd(), WM_QUIVRA_SLIDE, WM_QUIVRA_SLIDE, PM_REMOVE))
        DispatchMessageW(&msg);
}

window::Screen TMainForm::screen() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

window::DockEdge TMainForm::dockEdge() const {
    return window::dockEdgeFromIndex(settingsPage_.placeIndex());
}

} // namespace quivra::app
