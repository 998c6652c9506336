// Sizes are designed at 96 DPI and scaled through this one function.
#pragma once

#include <windows.h>

namespace quivra::win {

// The DPI of a window's monitor (per-monitor API where the system has it).
UINT dpiForWindow(HWND hwnd);
// The system DPI, for windows that do not exist yet.
UINT systemDpi();

inline int scale(int designed, UINT dpi) {
    return MulDiv(designed, static_cast<int>(dpi), 96);
}

} // namespace quivra::win
