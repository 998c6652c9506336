#include "crypto/cipher.h"

#include "crypto/wrap_arith.h"

#include <array>

namespace quivra::crypto {

namespace {

// The four kinds of position of a pass's table.
enum PositionKind : std::uint8_t { kEven, kOddBy3, kOddBy5, kOddOther, kKinds };

// A position's kind depends only on the position modulo 30.
constexpr std::array<std::uint8_t, 30> kKindOfPositionMod30 = [] {
    std::array<std::uint8_t, 30> kinds{};
    for (unsigned i = 0; i < 30; ++i)
        kinds[i] = i % 2 == 0 ? kEven : i % 3 == 0 ? kOddBy3 : i % 5 == 0 ? kOddBy5 : kOddOther;
    return kinds;
}();

using Masks = std::array<std::uint16_t, kKinds>;

Masks passMasks(std::int64_t Q, std::int64_t P) {
    return {low16(P), low16(wrapSub(P, Q / 2)), low16(wrapSub(Q, P / 2)), low16(Q)};
}

std::u16string applyMasks(std::u16string_view text, const Masks& masks) {
    // The masks repeat every 30 positions: one table of 30, applied block by
    // block, which the compiler turns into wide XORs.
    std::array<char16_t, 30> table{};
    for (unsigned i = 0; i < 30; ++i) // text index i is position i + 1
        table[i] = static_cast<char16_t>(masks[kKindOfPositionMod30[(i + 1) % 30]]);
    std::u16string out(text);
    const std::size_t n = out.size();
    char16_t* p = out.data();
    std::size_t at = 0;
    for (; at + 30 <= n; at += 30)
        for (std::size_t j = 0; j < 30; ++j)
            p[at + j] ^= table[j];
    for (std::size_t j = 0; at + j < n; ++j)
        p[at + j] ^= table[j];
    return out;
}

// The XOR of every pass's masks, kind by kind: the whole cipher of a text of
// length n is one XOR per position with the mask of its kind.
Masks combinedMasks(std::size_t length, const KeySet& k) {
    Masks all{};
    auto pass = [&all](std::int64_t Q, std::int64_t P) {
        const Masks m = passMasks(Q, P);
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] ^= m[i];
    };
    const auto n = static_cast<std::int64_t>(length);
    for (std::int64_t i = 1; i <= 50; ++i)
        pass(wrapAdd(k.K1, i), wrapSub(k.K4, i));
    for (std::int64_t i = 1; i <= n; ++i)
        pass(k.K2 / i, wrapAdd(k.K5, i));
    for (std::int64_t j = n; j >= 1; --j)
        pass(wrapSub(k.K3, j), k.K5 / j);
    for (std::int64_t i = 1; i <= 150; ++i)
        pass(k.K4 / i, k.K3 / i);
    return all;
}

} // namespace

std::u16string CipherPass(std::u16string_view text, std::int64_t Q, std::int64_t P) {
    return applyMasks(text, passMasks(Q, P));
}

std::u16string EncryptText(std::u16string_view text, const KeySet& keys) {
    return applyMasks(text, combinedMasks(text.size(), keys));
}

// The stages run in the other order, which XOR does not notice.
std::u16string DecryptText(std::u16string_view cipherText, const KeySet& keys) {
    return applyMasks(cipherText, combinedMasks(cipherText.size(), keys));
}

} // namespace quivra::crypto
