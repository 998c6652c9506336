#include "crypto/secret_clipboard_win.h"

#include "crypto/secure_wipe.h"

#include <cstring>

namespace quivra::crypto {

namespace {

HGLOBAL globalCopy(const void* data, std::size_t bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!h)
        return nullptr;
    if (void* p = GlobalLock(h)) {
        std::memcpy(p, data, bytes);
        GlobalUnlock(h);
        return h;
    }
    GlobalFree(h);
    return nullptr;
}

void setData(UINT format, const void* data, std::size_t bytes) {
    if (HGLOBAL h = globalCopy(data, bytes); h && !SetClipboardData(format, h))
        GlobalFree(h);
}

} // namespace

void OpenClipboardForText::replace(std::u16string_view text, bool secret) {
    EmptyClipboard();
    std::u16string terminated(text);
    setData(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(char16_t));
    secureWipe(terminated);
    if (!secret)
        return;
    const DWORD no = 0;
    setData(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"), &no,
            sizeof no);
    setData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), &no, sizeof no);
    setData(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"), &no, sizeof no);
    setData(RegisterClipboardFormatW(L"Clipboard Viewer Ignore"), &no, sizeof no);
}

} // namespace quivra::crypto
