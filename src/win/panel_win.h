// A plain container window. Notifications of its child controls (commands,
// notifications, scrolls, colours, owner drawing) are passed on to the window
// that handles them, so controls can be grouped on panels and pages freely.
#pragma once

#include "win/accessible_win.h"
#include "win/window_win.h"

#include <functional>

namespace quivra::win {

// Sent to the notify target to paint a panel's background (wParam: HDC,
// lParam: the panel); a non-zero answer means it was painted.
constexpr UINT WM_QUIVRA_ERASE_PANEL = WM_APP + 100;

class Panel : public Window, protected AccessibleSource {
  public:
    // `notifyTarget` receives the forwarded messages; `background` paints the
    // panel (null: the button-face colour).
    bool create(HWND parent, HWND notifyTarget, int x, int y, int w, int h, DWORD style = 0,
                DWORD exStyle = 0, int id = 0);
    void setBackground(COLORREF colour);
    void clearBackground();
    // Called when the left button goes down on the panel itself.
    std::function<void()> onClick;
    // What a screen reader calls the panel, asked each time it asks, and its
    // role (ROLE_SYSTEM_*). A panel without a name is the standard object.
    void setAccessibleName(std::function<std::wstring()> name, long role);

  protected:
    std::wstring accessibleName() const override;
    long accessibleRole() const override { return role_; }

    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    HWND target_ = nullptr;
    UniqueBrush brush_;
    std::function<std::wstring()> name_;
    long role_ = 0;
    AccessibleAnswer accessible_;
};

} // namespace quivra::win
