// Base64 with the URL and file name safe alphabet (RFC 4648, section 5),
// without padding: the printable form of the strong cipher's tokens.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::crypto {

std::u16string base64UrlEncode(std::span<const std::uint8_t> bytes);

// The bytes of a text that base64UrlEncode could have written, or nothing:
// any character outside the alphabet, a "=", a length that leaves one
// character over, or bits after the last byte that are not zero. So every
// byte string has exactly one text, and a changed character never decodes to
// the same bytes.
std::optional<std::vector<std::uint8_t>> base64UrlDecode(std::u16string_view text);

} // namespace quivra::crypto
