#include "window/tray_icon_win.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <utility>

namespace quivra::window {

namespace {

TrayIcon::NotifyHook& notifyHook() {
    static TrayIcon::NotifyHook hook;
    return hook;
}

} // namespace

void TrayIcon::setNotifyHookForTesting(NotifyHook hook) {
    notifyHook() = std::move(hook);
}

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, int exitCommand, HICON icon)
    : owner_(owner), callback_(callbackMessage), icon_(icon), TrayMenu(CreatePopupMenu()) {
    AppendMenuW(TrayMenu.get(), MF_STRING, static_cast<UINT_PTR>(exitCommand), L"Выход");
}

TrayIcon::~TrayIcon() {
    if (shown_)
        notify(NIM_DELETE);
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

bool TrayIcon::notify(DWORD message) {
    NOTIFYICONDATAW nid = data();
    if (const NotifyHook& hook = notifyHook())
        return hook(message, nid) != FALSE;
    return Shell_NotifyIconW(message, &nid) != FALSE;
}

void TrayIcon::setVisible(bool visible) {
    wanted_ = visible;
    if (!ready_ || visible == shown_)
        return; // before the window is shown, only the wish is kept
    if (visible) {
        shown_ = notify(NIM_ADD);
    } else {
        notify(NIM_DELETE);
        shown_ = false;
    }
}

bool TrayIcon::makeReady() {
    ready_ = true;
    setVisible(wanted_);
    return !missing();
}

bool TrayIcon::retry() {
    if (missing())
        shown_ = notify(NIM_ADD);
    return !missing();
}

void TrayIcon::onTaskbarCreated() {
    if (!ready_ || !wanted_)
        return;
    // A new shell holds no icons; one that still has ours refuses the add
    // but takes a change.
    shown_ = notify(NIM_ADD) || notify(NIM_MODIFY);
}

void TrayIcon::showMenu() {
    POINT pt;
    GetCursorPos(&pt);
    // The owner must be foreground, or the menu would not close on a click
    // elsewhere.
    SetForegroundWindow(owner_);
    TrackPopupMenu(TrayMenu.get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, owner_, nullptr);
    PostMessageW(owner_, WM_NULL, 0, 0);
}

UINT TrayIcon::taskbarCreatedMessage() {
    static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
    return msg;
}

} // namespace quivra::window
