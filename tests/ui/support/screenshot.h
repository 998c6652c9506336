// Saves what the screen shows of a window as a BMP file, for the screenshots
// of the documentation (taken when QUIVRA_SCREENSHOTS names a folder).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace quivra::test {

bool saveWindowShot(HWND hwnd, const std::wstring& bmpPath);
// The window together with others that lie over it but are top-level windows
// of their own (a combo box's dropped-down list): the shot covers the
// rectangle that holds them all.
bool saveWindowsShot(std::initializer_list<HWND> windows, const std::wstring& bmpPath);
// The smallest screen rectangle that holds every visible window given (and the
// first one, visible or not).
RECT rectOfWindows(std::initializer_list<HWND> windows);
// What the screen shows in a rectangle (screen coordinates): rows of 24-bit
// pixels from the bottom up, as a BMP file holds them.
struct ScreenPixels {
    int width = 0, height = 0, stride = 0;
    std::vector<unsigned char> bits;
    // The pixel at (x, y) from the rectangle's top left.
    COLORREF at(int x, int y) const;
};
ScreenPixels captureScreen(const RECT& r);
// The folder named by QUIVRA_SCREENSHOTS, if set.
std::optional<std::wstring> screenshotFolder();

} // namespace quivra::test
