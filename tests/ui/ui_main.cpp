// Entry of the in-process UI tests: the same control set-up as the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "win/text_services_win.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryW(L"riched20.dll");
    quivra::win::installWin32TextServices();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
