// The window between its two places at the dock edge: ToggleWindow and the
// slides it starts.
#include "window/presenter_win.h"

#include "settings/keys.h"

namespace quivra::window {

namespace {

bool alongX(DockEdge edge) {
    return edge == DockEdge::Left || edge == DockEdge::Right;
}

} // namespace

RECT Presenter::windowRect() const {
    RECT r;
    GetWindowRect(host_.mainWindow(), &r);
    return r;
}

bool Presenter::takenAsShown() const {
    const RECT r = windowRect();
    return isTakenAsShown(dockEdge(), r.left, r.top, screen(), r.right - r.left, r.bottom - r.top);
}

void Presenter::ToggleWindow() {
    HWND w = host_.mainWindow();
    const auto scr = screen();
    RECT r = windowRect();
    // The stored size is in 96-DPI units, like the minimum.
    const auto stored = [this](const auto& key, int minimum) {
        return host_.scale(storedExtent(read(*state_.SettingsFile, key), minimum));
    };
    const Size size = toggledSize(scr, {r.right - r.left, r.bottom - r.top},
                                  {stored(settings::keys::Width, kMinimumWidth),
                                   stored(settings::keys::Height, kMinimumHeight)},
                                  {host_.scale(kMinimumWidth), host_.scale(kMinimumHeight)});
    // The stored size, or the screen's where the window is larger.
    SetWindowPos(w, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    r = windowRect(); // the minimum size may have won
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const DockEdge edge = dockEdge();
    if (!state_.isShown) // a hidden window starts from its exact hidden place
        if (auto p = HiddenPosition(edge, scr, width, height))
            moveWindowTo(p->x, p->y);
    content_.hideChangedMark();
    if (edge != DockEdge::None) { // without an edge nothing moves
        r = windowRect();
        if (isTakenAsShown(edge, r.left, r.top, scr, width, height)) {
            content_.saveIfModified();
            if (options_.ticked(settings::ID_ISANIHIDE)) {
                startSlideOut();
            } else {
                const auto p = *HiddenPosition(edge, scr, width, height);
                moveWindowTo(alongX(edge) ? p.x : r.left, alongX(edge) ? r.top : p.y);
            }
            setOpacity(kHiddenOpacity);
            BringWindowToTop(w);
            state_.isShown = false;
        } else {
            setOpacity(options_.sliderPosition(settings::ID_OPVAL));
            if (options_.ticked(settings::ID_ISANISHOW)) {
                startSlideIn();
            } else {
                const auto p = *ShownPosition(edge, scr, width, height);
                moveWindowTo(alongX(edge) ? p.x : r.left, alongX(edge) ? r.top : p.y);
            }
            state_.isShown = true;
        }
    }
    if (state_.isShown && host_.activePage() == program::Page::Notes)
        content_.focusCurrentNote();
    if (state_.isShown)
        content_.windowCalledIn();
    // Every way of showing the window, not only the hotkey.
    if (state_.isShown && options_.ticked(settings::ID_ISFOCUSONHOTKEY))
        SetForegroundWindow(w);
}

void Presenter::startSlideOut() {
    PostMessageW(host_.mainWindow(), WM_QUIVRA_SLIDE, 0, 0);
}

void Presenter::startSlideIn() {
    PostMessageW(host_.mainWindow(), WM_QUIVRA_SLIDE, 1, 0);
}

void Presenter::OnSlide(bool in) {
    // The edge and the step are read when the slide runs.
    const auto edge = dockEdge();
    const RECT r = windowRect();
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int start = alongX(edge) ? r.left : r.top;
    const int SlideStep =
        options_.sliderPosition(in ? settings::ID_DELAYSHOWBAR : settings::ID_DELAYHIDEBAR);
    const auto coords = in ? slideInCoordinates(edge, start, SlideStep, screen(), w, h)
                           : slideOutCoordinates(edge, start, SlideStep, screen(), w, h);
    for (int c : coords)
        moveWindowTo(alongX(edge) ? c : r.left, alongX(edge) ? r.top : c);
}

void Presenter::runPendingSlides() {
    MSG msg;
    while (PeekMessageW(&msg, host_.mainWindow(), WM_QUIVRA_SLIDE, WM_QUIVRA_SLIDE, PM_REMOVE))
        DispatchMessageW(&msg);
}

} // namespace quivra::window
