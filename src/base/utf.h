// Conversions between UTF-8 and the UTF-16 text the core works in.
#pragma once

#include <string>
#include <string_view>

namespace quivra::base {

// Invalid sequences become U+FFFD; lone surrogates are kept as they are when
// converting to UTF-16 and encoded as three bytes when converting to UTF-8, so
// any UTF-16 text survives a round trip.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// The value of a hexadecimal digit, -1 for any other character.
int hexDigit(char16_t c);

} // namespace quivra::base
