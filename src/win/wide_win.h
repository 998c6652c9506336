// The core's UTF-16 text and the Windows wide strings are the same code
// units (wchar_t is 16 bits on Windows); these convert without copying rules.
#pragma once

#include <string>
#include <string_view>

namespace quivra::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring toWide(std::u16string_view s) {
    return {s.begin(), s.end()};
}
inline std::u16string toU16(std::wstring_view s) {
    return {s.begin(), s.end()};
}
inline const wchar_t* asWide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

} // namespace quivra::win
