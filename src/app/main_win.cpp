// Program entry: creates the main window and runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/main_form_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryW(L"riched20.dll");

    quivra::app::TMainForm form;
    if (!form.create())
        return 1;
    ShowWindow(form.hwnd(), show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
