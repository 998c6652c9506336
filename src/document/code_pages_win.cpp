#include "document/code_pages_win.h"

#include <windows.h>

#include <climits>

namespace quivra::document {

namespace {

class WindowsCodePages final : public CodePages {
  public:
    std::optional<std::string> encode(unsigned codePage, char32_t c) const override {
        if (c > 0xFFFF)
            return std::nullopt; // no ANSI or DBCS code page holds those
        const auto unit = static_cast<wchar_t>(c);
        char bytes[8];
        BOOL lacking = FALSE;
        const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes,
                                          sizeof bytes, nullptr, &lacking);
        if (n <= 0 || lacking)
            return std::nullopt;
        wchar_t back[4];
        const int m = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, n, back, 4);
        if (m != 1 || back[0] != unit)
            return std::nullopt;
        return std::string(bytes, static_cast<size_t>(n));
    }

    std::u16string decode(unsigned codePage, std::string_view bytes) const override {
        if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX))
            return {};
        const int n = static_cast<int>(bytes.size());
        const int size = MultiByteToWideChar(codePage, 0, bytes.data(), n, nullptr, 0);
        if (size <= 0)
            return {}; // a code page the system lacks: its text is lost, as the reader loses it
        std::u16string out(static_cast<size_t>(size), u'\0');
        MultiByteToWideChar(codePage, 0, bytes.data(), n, reinterpret_cast<wchar_t*>(out.data()),
                            size);
        return out;
    }
};

} // namespace

const CodePages& windowsCodePages() {
    static const WindowsCodePages pages;
    return pages;
}

} // namespace quivra::document
