#include "crypto/secret_clipboard_win.h"

#include "base/errors.h"
#include "crypto/secure_wipe.h"
#include "win/system_error_win.h"

#include <cstring>
#include <cwchar>

namespace quivra::crypto {

namespace {

constexpr int kAttempts = 5;
constexpr DWORD kRetryPauseMs = 20;

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

OpenClipboardForText::OpenClipboardForText(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (lock_.emplace(owner).isOpen())
            return;
        const DWORD error = GetLastError();
        lock_.reset();
        if (attempt == kAttempts)
            throw base::UserError(u"Cannot open clipboard: " + win::systemErrorText(error));
        Sleep(kRetryPauseMs);
    }
}

std::optional<std::u16string> OpenClipboardForText::text() const {
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (!h)
        return std::nullopt;
    const auto* p = static_cast<const wchar_t*>(GlobalLock(h));
    if (!p)
        return std::nullopt;
    const std::size_t units = GlobalSize(h) / sizeof(wchar_t);
    const std::size_t length = wcsnlen(p, units);
    std::u16string text(reinterpret_cast<const char16_t*>(p), length);
    GlobalUnlock(h);
    return text;
}

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
