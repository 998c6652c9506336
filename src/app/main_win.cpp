// Program entry: the main window runs the start-up sequence while it is
// created; the message loop then runs until the program ends.
#include <windows.h>
#include <commctrl.h>

#include "app/main_form_win.h"
#include "win/text_services_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryW(L"riched20.dll");
    quivra::win::installWin32TextServices();
    // A load of a big note runs for seconds and shows its own progress
    // window; the system must not replace the main window by a "not
    // responding" ghost meanwhile.
    DisableProcessWindowsGhosting();

    quivra::app::TMainForm form(quivra::app::Environment::fromSystem());
    if (form.create() != quivra::app::StartResult::Started)
        return 0;
    form.FormShow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (form.translateAccelerator(msg) || IsDialogMessageW(form.hwnd(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
