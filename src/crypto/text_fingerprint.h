// A 64-bit fingerprint of a text (FNV-1a over its code units), to recognise
// later whether the clipboard still holds a secret the program put there
// without keeping the secret itself.
#pragma once

#include <cstdint>
#include <string_view>

namespace quivra::crypto {

constexpr std::uint64_t textFingerprint(std::u16string_view text) {
    std::uint64_t h = 14695981039346656037ull;
    for (char16_t u : text) {
        h ^= static_cast<std::uint64_t>(u & 0xFF);
        h *= 1099511628211ull;
        h ^= static_cast<std::uint64_t>(u >> 8);
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace quivra::crypto
