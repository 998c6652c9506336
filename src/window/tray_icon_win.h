// The notification-area icon: shown or hidden on request, re-added when the
// shell restarts, with its one-item menu "Выход".
#pragma once

#include "win/handles_win.h"

#include <windows.h>
#include <shellapi.h>

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
    bool visible() const noexcept { return visible_; }
    // Adds the icon if it is wanted; false when the shell refused it.
    bool makeReady();
    // Re-adds a visible icon after the shell (taskbar) restarted.
    void onTaskbarCreated();
    void showMenu();

    static UINT taskbarCreatedMessage();

  private:
    NOTIFYICONDATAW data() const;
    HWND owner_;
    UINT callback_;
    HICON icon_;
    bool visible_ = false;
    bool ready_ = false;
    win::UniqueMenu menu_;
};

} // namespace quivra::window
