// The program's fonts: Tahoma in the Cyrillic character set, as every window
// of the program draws its text.
#pragma once

#include "win/handles_win.h"

#include <windows.h>

namespace quivra::win {

struct FontEffects {
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

UniqueFont tahomaFont(int pixelHeight, int weight, FontEffects effects = {});

// The pixel height of a size in points at a DPI.
inline int pixelsOfPoints(int points, UINT dpi) {
    return MulDiv(points, static_cast<int>(dpi), 72);
}

} // namespace quivra::win
