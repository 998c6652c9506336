#include "app/page_keys_win.h"

namespace quivra::app {

namespace {

constexpr int kPages = 4;

bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

bool stepPageByKey(const MSG& msg, program::Host& host) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !held(VK_CONTROL) || held(VK_MENU))
        return false;
    const int step = held(VK_SHIFT) ? kPages - 1 : 1;
    const int shown = (static_cast<int>(host.activePage()) + step) % kPages;
    host.showPage(static_cast<program::Page>(shown));
    // The control that had the focus may lie on the page just hidden.
    HWND main = host.mainWindow();
    HWND focus = GetFocus();
    if (!focus || !IsWindowVisible(focus))
        if (HWND first = GetNextDlgTabItem(main, nullptr, FALSE))
            SetFocus(first);
    return true;
}

} // namespace quivra::app
