#include "support/screenshot.h"

#include "support/program_folder.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace quivra::test {

std::optional<std::wstring> screenshotFolder() {
    wchar_t buf[MAX_PATH]{};
    const DWORD n = GetEnvironmentVariableW(L"QUIVRA_SCREENSHOTS", buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::nullopt;
    return std::wstring(buf, n);
}

RECT rectOfWindows(std::initializer_list<HWND> windows) {
    RECT all{};
    bool first = true;
    for (HWND w : windows) {
        RECT r;
        if (!w || (!first && !IsWindowVisible(w)) || !GetWindowRect(w, &r))
            continue;
        if (first)
            all = r;
        else
            UnionRect(&all, &all, &r);
        first = false;
    }
    return all;
}

bool saveWindowShot(HWND hwnd, const std::wstring& bmpPath) {
    return saveWindowsShot({hwnd}, bmpPath);
}

bool saveWindowsShot(std::initializer_list<HWND> windows, const std::wstring& bmpPath) {
    for (HWND w : windows)
        RedrawWindow(w, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    for (int i = 0; i < 10; ++i) {
        pumpMessages();
        Sleep(30);
    }
    const ScreenPixels shot = captureScreen(rectOfWindows(windows));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = shot.width;
    header.biHeight = shot.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(header);
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(shot.bits.size());
    bool ok = false;
    if (FILE* f = _wfopen(bmpPath.c_str(), L"wb")) {
        ok = fwrite(&fh, sizeof(fh), 1, f) == 1 && fwrite(&header, sizeof(header), 1, f) == 1 &&
             fwrite(shot.bits.data(), shot.bits.size(), 1, f) == 1;
        fclose(f);
    }
    return ok;
}

ScreenPixels captureScreen(const RECT& r) {
    ScreenPixels shot;
    shot.width = std::max(0, static_cast<int>(r.right - r.left));
    shot.height = std::max(0, static_cast<int>(r.bottom - r.top));
    shot.stride = ((shot.width * 3 + 3) / 4) * 4;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = shot.width;
    bi.bmiHeader.biHeight = shot.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
        SelectObject(mem, old);
        GdiFlush();
        const auto* first = static_cast<const unsigned char*>(bits);
        shot.bits.assign(first, first + static_cast<size_t>(shot.stride) * shot.height);
        DeleteObject(bmp);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return shot;
}

COLORREF ScreenPixels::at(int x, int y) const {
    const size_t i = static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
    return RGB(bits[i + 2], bits[i + 1], bits[i]);
}

} // namespace quivra::test
