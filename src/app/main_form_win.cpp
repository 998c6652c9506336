#include "app/main_form_win.h"

namespace quivra::app {

bool TMainForm::create() {
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    if (!Window::create(L"TMainForm", exStyle, WS_POPUP | WS_CLIPCHILDREN, L"Quivra", 0, 0, 640,
                        480, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE)))
        return false;
    SetLayeredWindowAttributes(hwnd(), 0, 220, LWA_ALPHA);
    return true;
}

LRESULT TMainForm::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return defaultProc(msg, wp, lp);
    }
}

void TMainForm::OnDestroy() { PostQuitMessage(0); }

} // namespace quivra::app
