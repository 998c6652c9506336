#include "win/panel_win.h"

namespace quivra::win {

bool Panel::create(HWND parent, HWND notifyTarget, int x, int y, int w, int h, DWORD style,
                   DWORD exStyle, int id) {
    target_ = notifyTarget;
    return Window::create(L"QuivraPanel", exStyle | WS_EX_CONTROLPARENT,
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style, L"", x,
                          y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          nullptr);
}

void Panel::setBackground(COLORREF colour) {
    brush_.reset(CreateSolidBrush(colour));
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, TRUE);
}

void Panel::clearBackground() {
    brush_.reset();
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, TRUE);
}

void Panel::setAccessibleName(std::function<std::wstring()> name, long role) {
    name_ = std::move(name);
    role_ = role;
}

std::wstring Panel::accessibleName() const {
    return name_ ? name_() : std::wstring();
}

LRESULT Panel::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETOBJECT:
        if (name_)
            if (auto answer = accessible_.answer(hwnd(), wp, lp, *this))
                return *answer;
        break;
    case WM_NCDESTROY:
        accessible_.release();
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CONTEXTMENU:
        if (target_)
            return SendMessageW(target_, msg, wp, lp);
        break;
    case WM_ERASEBKGND: {
        if (!brush_) {
            // Let the target paint skinned backgrounds; fall back to the face colour.
            if (target_ && SendMessageW(target_, WM_QUIVRA_ERASE_PANEL, wp,
                                        reinterpret_cast<LPARAM>(hwnd())) != 0)
                return 1;
            RECT rc;
            GetClientRect(hwnd(), &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        RECT rc;
        GetClientRect(hwnd(), &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, brush_.get());
        return 1;
    }
    case WM_LBUTTONDOWN:
        if (onClick)
            onClick();
        return 0;
    default:
        break;
    }
    return defaultProc(msg, wp, lp);
}

} // namespace quivra::win
