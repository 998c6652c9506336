// The ASCII character classes of RTF's syntax: control words are letters,
// their parameters digits, `\'hh` escapes hexadecimal digits. (The C
// library's classes depend on the locale; these never do.)
#pragma once

namespace quivra::document::rtf {

constexpr bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace quivra::document::rtf
