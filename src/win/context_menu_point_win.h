// Where a context menu opens. A right click gives the mouse's point; the
// keyboard (Shift+F10, the menu key) gives WM_CONTEXTMENU the point -1, -1,
// and the menu then opens at what the keys work on: below the caret of a
// text control, at the selected item of a list box, else at the control's
// top-left corner.
#pragma once

#include <windows.h>

namespace quivra::win {

POINT contextMenuPoint(HWND control, POINT screen);

} // namespace quivra::win
