// Saves what the screen shows of a window as a BMP file, for the screenshots
// of the documentation (taken when QUIVRA_SCREENSHOTS names a folder).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quivra::test {

bool saveWindowShot(HWND hwnd, const std::wstring& bmpPath);
// The folder named by QUIVRA_SCREENSHOTS, if set.
std::optional<std::wstring> screenshotFolder();

} // namespace quivra::test
