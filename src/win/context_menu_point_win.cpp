#include "win/context_menu_point_win.h"

namespace quivra::win {

namespace {

bool isListBox(HWND control) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    return _wcsicmp(name, L"ListBox") == 0;
}

} // namespace

POINT contextMenuPoint(HWND control, POINT screen) {
    if (screen.x != -1 || screen.y != -1)
        return screen;
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    RECT at{};
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) && gui.hwndCaret == control) {
        at = gui.rcCaret;
    } else if (isListBox(control)) {
        const LRESULT item = SendMessageW(control, LB_GETCURSEL, 0, 0);
        if (item == LB_ERR || SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(item),
                                           reinterpret_cast<LPARAM>(&at)) == LB_ERR)
            at = {};
    }
    POINT p{at.left, at.bottom};
    if (at.bottom == 0 && at.right == 0)
        p = {10, 10};
    ClientToScreen(control, &p);
    return p;
}

} // namespace quivra::win
