// 64-bit arithmetic of the key derivation and the cipher: sums, differences
// and products wrap modulo 2^64 (two's complement); division is the language's
// signed division, which truncates toward zero.
#pragma once

#include <cstdint>

namespace quivra::crypto {

constexpr std::int64_t wrapAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

constexpr std::int64_t wrapSub(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

// The low 16 bits, the part of a 64-bit mask that meets a code unit.
constexpr std::uint16_t low16(std::int64_t v) {
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(v));
}

} // namespace quivra::crypto
