#include "win/text_services_win.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace quivra::win {

namespace {

int checkedLength(size_t n) {
    if (n > static_cast<size_t>(INT_MAX))
        throw std::length_error("text too long for a code page conversion");
    return static_cast<int>(n);
}

class Win32TextServices final : public base::TextServices {
  public:
    std::u16string ansiToUtf16(std::string_view bytes) const override {
        if (bytes.empty())
            return {};
        const int n = checkedLength(bytes.size());
        const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, nullptr, 0);
        std::u16string out(static_cast<size_t>(size), u'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, reinterpret_cast<wchar_t*>(out.data()),
                            size);
        return out;
    }

    // Flags 0: the code page's best-fit character where it defines one
    // (é becomes e under 1251), otherwise its default character.
    std::string utf16ToAnsi(std::u16string_view text) const override {
        if (text.empty())
            return {};
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int n = checkedLength(text.size());
        const int size = WideCharToMultiByte(CP_ACP, 0, wide, n, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide, n, out.data(), size, nullptr, nullptr);
        return out;
    }

    std::u16string toLower(std::u16string_view text) const override {
        if (text.empty())
            return {};
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int n = checkedLength(text.size());
        const int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, wide, n, nullptr, 0);
        if (size <= 0)
            return std::u16string(text);
        std::u16string out(static_cast<size_t>(size), u'\0');
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, wide, n,
                     reinterpret_cast<wchar_t*>(out.data()), size);
        return out;
    }

    // The user's locale's order, as the system sorts names.
    int compareIgnoreCase(std::u16string_view a, std::u16string_view b) const override {
        const int r =
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                           reinterpret_cast<const wchar_t*>(a.data()), checkedLength(a.size()),
                           reinterpret_cast<const wchar_t*>(b.data()), checkedLength(b.size()));
        return r == 0 ? base::TextServices::compareIgnoreCase(a, b) : r - CSTR_EQUAL;
    }
};

} // namespace

const base::TextServices& win32TextServices() {
    static const Win32TextServices services;
    return services;
}

void installWin32TextServices() {
    base::setTextServices(&win32TextServices());
}

} // namespace quivra::win
