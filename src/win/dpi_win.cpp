#include "win/dpi_win.h"

namespace quivra::win {

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn dpiForWindowApi() {
    static const auto fn = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return fn;
}
} // namespace

UINT systemDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT dpiForWindow(HWND hwnd) {
    if (auto fn = dpiForWindowApi(); fn && hwnd) {
        const UINT dpi = fn(hwnd);
        if (dpi != 0)
            return dpi;
    }
    return systemDpi();
}

} // namespace quivra::win
