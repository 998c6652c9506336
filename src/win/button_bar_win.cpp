#include "win/button_bar_win.h"

#include <oleacc.h>

#include <algorithm>

namespace quivra::win {

namespace {

// Posted to the bar itself: click the button of this index (wParam). A
// screen reader's call returns before the click runs.
constexpr UINT WM_QUIVRA_CLICK_BUTTON = WM_APP + 101;

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

void ButtonBar::add(SpeedButton& button) {
    const auto after = std::find_if(buttons_.begin(), buttons_.end(), [&button](SpeedButton* b) {
        return b->rect().left > button.rect().left;
    });
    buttons_.insert(after, &button);
}

AccessibleItem ButtonBar::accessibleItem(int index) const {
    const SpeedButton& b = *buttons_.at(static_cast<size_t>(index));
    AccessibleItem item;
    if (b.hint().empty()) {
        item.name = b.face();
    } else {
        auto [name, description] = splitHint(b.hint());
        item.name = std::move(name);
        item.description = std::move(description);
    }
    const bool push = b.kind() == SpeedButton::Kind::Push;
    item.role = push ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_CHECKBUTTON;
    if (b.down())
        item.state |= push ? STATE_SYSTEM_PRESSED : STATE_SYSTEM_PRESSED | STATE_SYSTEM_CHECKED;
    if (b.pressing())
        item.state |= STATE_SYSTEM_PRESSED;
    if (!b.enabled())
        item.state |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(hwnd()))
        item.state |= STATE_SYSTEM_INVISIBLE;
    if (b.hot_)
        item.state |= STATE_SYSTEM_HOTTRACKED;
    switch (b.kind()) {
    case SpeedButton::Kind::Push:
        item.defaultAction = L"Нажать";
        break;
    case SpeedButton::Kind::Toggle:
        item.defaultAction = b.down() ? L"Отжать" : L"Нажать";
        break;
    case SpeedButton::Kind::Radio:
        item.defaultAction = L"Выбрать";
        break;
    }
    item.place = b.rect();
    return item;
}

void ButtonBar::accessibleDoDefault(int index) {
    PostMessageW(hwnd(), WM_QUIVRA_CLICK_BUTTON, static_cast<WPARAM>(index), 0);
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
    case WM_QUIVRA_CLICK_BUTTON:
        if (wp < buttons_.size())
            buttons_[wp]->click();
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
