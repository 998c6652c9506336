#include "platform/speed_button_win.h"

namespace quivra::win {

bool SpeedButton::create(HWND parent, int id, Bounds b, Kind kind, std::wstring face,
                         bool enabled) {
    kind_ = kind;
    face_ = std::move(face);
    // No double-click class style: a quick second click is a second click.
    const DWORD style = WS_CHILD | WS_VISIBLE | (enabled ? 0 : WS_DISABLED);
    return Window::create(L"QuivraSpeedButton", 0, style, face_.c_str(), b.x, b.y, b.w, b.h, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, 0);
}

void SpeedButton::setFaceFont(HFONT font) {
    font_ = font;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButton::makeGroup(const std::vector<SpeedButton*>& group) {
    for (SpeedButton* b : group)
        b->group_ = group;
}

void SpeedButton::setDown(bool down) {
    if (down && kind_ == Kind::Radio)
        for (SpeedButton* other : group_)
            if (other != this && other->down_) {
                other->down_ = false;
                InvalidateRect(other->hwnd(), nullptr, TRUE);
            }
    if (down_ == down)
        return;
    down_ = down;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButton::setEnabled(bool enabled) {
    if (this->enabled() != enabled) {
        EnableWindow(hwnd(), enabled ? TRUE : FALSE);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

bool SpeedButton::enabled() const {
    return IsWindowEnabled(hwnd()) != FALSE;
}

void SpeedButton::click() {
    if (!enabled())
        return;
    if (kind_ == Kind::Toggle)
        setDown(!down_);
    else if (kind_ == Kind::Radio)
        setDown(true);
    const int id = GetDlgCtrlID(hwnd());
    SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
}

bool SpeedButton::pointInside(LPARAM lp) const {
    RECT r;
    GetClientRect(hwnd(), &r);
    const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    return PtInRect(&r, p) != FALSE;
}

void SpeedButton::paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    const bool sunken = down_ || pressing_;
    FillRect(dc, &r, GetSysColorBrush(down_ && !pressing_ ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (sunken)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ && enabled())
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    RECT face = r;
    if (sunken)
        OffsetRect(&face, 1, 1);
    if (drawGlyph) {
        drawGlyph(dc, face, enabled());
        return;
    }
    HFONT font =
        font_ ? font_ : reinterpret_cast<HFONT>(SendMessageW(GetParent(hwnd()), WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, face_.c_str(), -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old)
        SelectObject(dc, old);
}

LRESULT SpeedButton::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return win::paintWindow(hwnd(), [this](HDC dc) { paint(dc); });
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_LBUTTONDOWN:
        SetCapture(hwnd());
        pressing_ = true;
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_MOUSEMOVE: {
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd(), nullptr, TRUE);
        }
        if (GetCapture() == hwnd() && pressing_ != pointInside(lp)) {
            pressing_ = !pressing_;
            InvalidateRect(hwnd(), nullptr, TRUE);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressing = GetCapture() == hwnd() && pointInside(lp);
        pressing_ = false;
        if (GetCapture() == hwnd())
            ReleaseCapture();
        InvalidateRect(hwnd(), nullptr, TRUE);
        if (wasPressing)
            click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (pressing_) {
            pressing_ = false;
            InvalidateRect(hwnd(), nullptr, TRUE);
        }
        return 0;
    case WM_RBUTTONUP:
        if (onRightUp)
            onRightUp();
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case BM_CLICK:
        click();
        return 0;
    case BM_GETCHECK:
        return down_ ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        setDown(wp == BST_CHECKED);
        return 0;
    default:
        return defaultProc(msg, wp, lp);
    }
}

} // namespace quivra::win
