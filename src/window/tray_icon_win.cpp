#include "window/tray_icon_win.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

namespace quivra::window {

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, int exitCommand, HICON icon)
    : owner_(owner), callback_(callbackMessage), icon_(icon), menu_(CreatePopupMenu()) {
    AppendMenuW(menu_.get(), MF_STRING, static_cast<UINT_PTR>(exitCommand), L"Выход");
}

TrayIcon::~TrayIcon() {
    if (ready_)
        setVisible(false);
}

NOTIFYICONDATAW TrayIcon::data() const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner_;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = callback_;
    nid.hIcon = icon_;
    wcsncpy(nid.szTip, L"Quivra", std::size(nid.szTip) - 1);
    return nid;
}

void TrayIcon::setVisible(bool visible) {
    if (!ready_) {
        visible_ = visible; // added once the window is shown
        return;
    }
    if (visible == visible_)
        return;
    NOTIFYICONDATAW nid = data();
    if (visible)
        visible_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
    else {
        Shell_NotifyIconW(NIM_DELETE, &nid);
        visible_ = false;
    }
}

bool TrayIcon::makeReady() {
    ready_ = true;
    if (visible_) {
        visible_ = false;
        setVisible(true);
    }
    return visible_;
}

void TrayIcon::onTaskbarCreated() {
    if (!visible_)
        return;
    NOTIFYICONDATAW nid = data();
    Shell_NotifyIconW(NIM_ADD, &nid);
}

void TrayIcon::showMenu() {
    POINT pt;
    GetCursorPos(&pt);
    // The owner must be foreground, or the menu would not close on a click
    // elsewhere.
    SetForegroundWindow(owner_);
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, owner_, nullptr);
    PostMessageW(owner_, WM_NULL, 0, 0);
}

UINT TrayIcon::taskbarCreatedMessage() {
    static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
    return msg;
}

} // namespace quivra::window
