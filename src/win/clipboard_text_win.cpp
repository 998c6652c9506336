#include "win/clipboard_text_win.h"

#include "base/errors.h"
#include "win/system_error_win.h"

#include <cwchar>

namespace quivra::win {

namespace {

constexpr int kAttempts = 5;
constexpr DWORD kRetryPauseMs = 20;

} // namespace

TextClipboard::TextClipboard(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (lock_.emplace(owner).isOpen())
            return;
        const DWORD error = GetLastError();
        lock_.reset();
        if (attempt == kAttempts)
            throw base::UserError(u"Cannot open clipboard: " + systemErrorText(error));
        Sleep(kRetryPauseMs);
    }
}

std::optional<std::u16string> TextClipboard::text() const {
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

} // namespace quivra::win
