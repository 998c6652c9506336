#include "support/screenshot.h"

#include "support/program_folder.h"

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

bool saveWindowShot(HWND hwnd, const std::wstring& bmpPath) {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    for (int i = 0; i < 10; ++i) {
        pumpMessages();
        Sleep(30);
    }
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    const int stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + stride * h;
    bool ok = false;
    if (FILE* f = _wfopen(bmpPath.c_str(), L"wb")) {
        ok = fwrite(&fh, sizeof(fh), 1, f) == 1 &&
             fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f) == 1 &&
             fwrite(bits, static_cast<size_t>(stride) * h, 1, f) == 1;
        fclose(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

} // namespace quivra::test
