// The notification-area icon: shown or hidden on request, re-added when the
// shell restarts, with its one-item menu "Выход". The icon the user wants is
// one thing, the icon the shell took another: a shell that refuses it (the
// notification area not ready yet at an autostart) is asked again later,
// and the wish stays as the user set it.
#pragma once

#include "win/handles_win.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>

namespace quivra::window {

class TrayIcon {
  public:
    // Messages of the icon arrive at `owner` as `callbackMessage` (lParam:
    // the mouse message); the menu's item arrives as WM_COMMAND `exitCommand`.
    TrayIcon(HWND owner, UINT callbackMessage, int exitCommand, HICON icon);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Before makeReady() only the wish is kept: the icon is added when the
    // window is shown, not while the program is still starting.
    void setVisible(bool visible);
    // The icon is wanted (the option), whether or not the shell took it.
    bool wanted() const noexcept { return wanted_; }
    // The icon is in the notification area.
    bool visible() const noexcept { return shown_; }
    // Adds the icon if it is wanted; false when the shell refused it.
    bool makeReady();
    // A wanted icon the shell refused once the window was shown.
    bool missing() const noexcept { return ready_ && wanted_ && !shown_; }
    // A missing icon is asked for again; false while it is still missing.
    bool retry();
    // Re-adds a wanted icon after the shell (taskbar) started again.
    void onTaskbarCreated();
    void showMenu();

    static UINT taskbarCreatedMessage();

    // Test seam: when set, replaces Shell_NotifyIconW.
    using NotifyHook = std::function<BOOL(DWORD message, NOTIFYICONDATAW& data)>;
    static void setNotifyHookForTesting(NotifyHook hook);

  private:
    NOTIFYICONDATAW data() const;
    bool notify(DWORD message);
    HWND owner_;
    UINT callback_;
    HICON icon_;
    bool wanted_ = false;
    bool shown_ = false;
    bool ready_ = false;
    win::UniqueMenu TrayMenu;
};

} // namespace quivra::window
