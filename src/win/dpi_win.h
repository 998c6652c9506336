// Sizes are designed at 96 DPI and scaled through this one function (the
// settings file keeps them designed; see base/dpi_scale.h).
#pragma once

#include "base/dpi_scale.h"

#include <windows.h>

namespace quivra::win {

// The DPI of a window's monitor (per-monitor API where the system has it).
UINT dpiForWindow(HWND hwnd);
// The system DPI, for windows that do not exist yet.
UINT systemDpi();

inline int scale(int designed, UINT dpi) {
    return base::scaledToDpi(designed, static_cast<int>(dpi));
}

// A length in device pixels back in 96-DPI units, for the settings file.
inline int unscale(int device, UINT dpi) {
    return base::designedFromDpi(device, static_cast<int>(dpi));
}

} // namespace quivra::win
