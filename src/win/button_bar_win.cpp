#include "win/button_bar_win.h"

namespace quivra::win {

namespace {

POINT pointOf(LPARAM lp) {
    return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

} // namespace

SpeedButton* ButtonBar::buttonAt(POINT p) const {
    for (SpeedButton* b : buttons_)
        if (PtInRect(&b->rect(), p))
            return b;
    return nullptr;
}

void ButtonBar::notifyClick(const SpeedButton& button) {
    // The panel passes its commands on to its notify target.
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(button.id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
}

void ButtonBar::paint(HDC dc) const {
    for (const SpeedButton* b : buttons_)
        if (RectVisible(dc, &b->rect()))
            b->paint(dc, font_);
}

void ButtonBar::track(SpeedButton* under) {
    if (under && !under->enabled())
        under = nullptr;
    if (under != hot_) {
        if (hot_) {
            hot_->hot_ = false;
            hot_->redraw();
        }
        hot_ = under;
        if (hot_) {
            hot_->hot_ = true;
            hot_->redraw();
        }
    }
    if (hot_ && !leaveTracked_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd(), 0};
        leaveTracked_ = TrackMouseEvent(&t) != FALSE;
    }
    // While the left button is held, the pressed button looks pressed only
    // with the mouse over it.
    if (pressed_ && pressed_->pressing_ != (under == pressed_)) {
        pressed_->pressing_ = under == pressed_;
        pressed_->redraw();
    }
}

bool ButtonBar::press(LPARAM lp) {
    SpeedButton* b = buttonAt(pointOf(lp));
    if (!b)
        return false;
    if (b->enabled()) {
        SetCapture(hwnd());
        pressed_ = b;
        b->pressing_ = true;
        b->redraw();
    }
    return true;
}

bool ButtonBar::release(LPARAM lp) {
    if (!pressed_)
        return buttonAt(pointOf(lp)) != nullptr;
    SpeedButton* b = pressed_;
    const bool over = GetCapture() == hwnd() && buttonAt(pointOf(lp)) == b;
    endPress();
    if (GetCapture() == hwnd())
        ReleaseCapture();
    if (over)
        b->click();
    return true;
}

void ButtonBar::endPress() {
    if (!pressed_)
        return;
    pressed_->pressing_ = false;
    pressed_->redraw();
    pressed_ = nullptr;
}

LRESULT ButtonBar::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return paintWindow(hwnd(), [this](HDC dc) { paint(dc); });
    case WM_MOUSEMOVE:
        track(buttonAt(pointOf(lp)));
        return 0;
    case WM_MOUSELEAVE:
        leaveTracked_ = false;
        track(nullptr);
        return 0;
    // A quick second click on a button is a second click, not a double one.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (press(lp))
            return 0;
        break;
    case WM_LBUTTONUP:
        if (release(lp))
            return 0;
        break;
    case WM_CAPTURECHANGED:
        endPress();
        return 0;
    case WM_RBUTTONUP:
        if (SpeedButton* b = buttonAt(pointOf(lp))) {
            if (b->enabled() && b->onRightUp)
                b->onRightUp();
            return 0;
        }
        break;
    default:
        break;
    }
    return Panel::handleMessage(msg, wp, lp);
}

} // namespace quivra::win
