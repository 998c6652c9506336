#include <gtest/gtest.h>

#include "crypto/cipher.h"

#include "common/crypto_vectors.h"

#include <cstdint>
#include <limits>
#include <random>
#include <string>

using namespace quivra::crypto;

namespace {

using i64 = std::int64_t;
using u64 = std::uint64_t;

i64 add(i64 a, i64 b) {
    return static_cast<i64>(static_cast<u64>(a) + static_cast<u64>(b));
}
i64 sub(i64 a, i64 b) {
    return static_cast<i64>(static_cast<u64>(a) - static_cast<u64>(b));
}

// The cipher as written down: every pass over every position.
std::u16string referencePass(std::u16string t, i64 Q, i64 P) {
    for (std::size_t k = 0; k < t.size(); ++k) {
        const std::size_t i = k + 1;
        const i64 mask = i % 2 == 0   ? P
                         : i % 3 == 0 ? sub(P, Q / 2)
                         : i % 5 == 0 ? sub(Q, P / 2)
                                      : Q;
        t[k] = static_cast<char16_t>(t[k] ^ (static_cast<u64>(mask) & 0xFFFF));
    }
    return t;
}

std::u16string stage1(std::u16string t, const KeySet& k) {
    for (i64 i = 1; i <= 50; ++i)
        t = referencePass(t, add(k.K1, i), sub(k.K4, i));
    return t;
}
std::u16string stage2(std::u16string t, const KeySet& k) {
    for (i64 i = 1; i <= static_cast<i64>(t.size()); ++i)
        t = referencePass(t, k.K2 / i, add(k.K5, i));
    return t;
}
std::u16string stage3(std::u16string t, const KeySet& k) {
    for (i64 j = static_cast<i64>(t.size()); j >= 1; --j)
        t = referencePass(t, sub(k.K3, j), k.K5 / j);
    return t;
}
std::u16string stage4(std::u16string t, const KeySet& k) {
    for (i64 i = 1; i <= 150; ++i)
        t = referencePass(t, k.K4 / i, k.K3 / i);
    return t;
}

std::u16string referenceEncrypt(const std::u16string& t, const KeySet& k) {
    return stage4(stage3(stage2(stage1(t, k), k), k), k);
}
std::u16string referenceDecrypt(const std::u16string& t, const KeySet& k) {
    return stage1(stage2(stage3(stage4(t, k), k), k), k);
}

std::u16string fromUnits(std::initializer_list<char16_t> units) {
    return std::u16string(units);
}

} // namespace

TEST(CipherPass, MaskByPositionWithDivisionTowardZero) {
    struct Case {
        i64 Q, P;
        char16_t even, oddBy3, oddBy5, other;
    };
    constexpr i64 kMin = std::numeric_limits<i64>::min(), kMax = std::numeric_limits<i64>::max();
    const Case cases[] = {
        {0x10005, 0x20003, 0x0003, 0x8001, 0x0004, 0x0005},
        {-7, 100, 100, 103, static_cast<char16_t>(-57), static_cast<char16_t>(-7)}, // -7 div 2 = -3
        {1000, -9, static_cast<char16_t>(-9), static_cast<char16_t>(-509), 1004,
         1000},                                       // -9 div 2 = -4
        {-1, -1, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF},     // -1 div 2 = 0
        {kMin, kMax, 0xFFFF, 0xFFFF, 0x0001, 0x0000}, // wraps modulo 2^64
    };
    for (const auto& c : cases) {
        // Positions 1..15: Q P (P-Q/2) P (Q-P/2) P Q P (P-Q/2) P Q P Q P (P-Q/2).
        const std::u16string expected = {c.other, c.even,  c.oddBy3, c.even,   c.oddBy5,
                                         c.even,  c.other, c.even,   c.oddBy3, c.even,
                                         c.other, c.even,  c.other,  c.even,   c.oddBy3};
        EXPECT_EQ(CipherPass(std::u16string(15, u'\0'), c.Q, c.P), expected) << c.Q << " " << c.P;
    }
    EXPECT_EQ(CipherPass(u"", 1, 2), u"");
    EXPECT_EQ(CipherPass(fromUnits({0xFFFF, 0x1234}), 0x00FF, 0xFF00), fromUnits({0xFF00, 0xED34}));
}

TEST(Cipher, EqualsThePassByPassCipherForRandomTextsAndKeys) {
    std::mt19937_64 rng(20240611);
    const i64 extremes[] = {
        std::numeric_limits<i64>::min(), std::numeric_limits<i64>::max(), -1, 0, 1, -3};
    for (std::size_t n = 0; n <= 300; ++n) {
        KeySet k{static_cast<i64>(rng()), static_cast<i64>(rng()), static_cast<i64>(rng()),
                 static_cast<i64>(rng()), static_cast<i64>(rng())};
        if (n % 7 == 0) // keys at the edges of the arithmetic
            for (i64* key : {&k.K1, &k.K2, &k.K3, &k.K4, &k.K5})
                *key = extremes[rng() % std::size(extremes)];
        std::u16string text(n, u'\0');
        for (auto& c : text)
            c = static_cast<char16_t>(rng());

        const std::u16string cipher = EncryptText(text, k);
        ASSERT_EQ(cipher, referenceEncrypt(text, k)) << "length " << n;
        ASSERT_EQ(DecryptText(cipher, k), referenceDecrypt(cipher, k)) << "length " << n;
        ASSERT_EQ(DecryptText(cipher, k), text) << "length " << n;
        ASSERT_EQ(EncryptText(cipher, k), text) << "length " << n;
    }
}

TEST(Cipher, DecryptsWhatEarlierVersionsWrote) {
    const KeySet keys = quivra::crypto::test::kKeySetVectors[1].keys; // "пароль"
    const std::u16string cipher = fromUnits({0xAD08, 0xA9E8, 0x30A3, 0xA99A, 0x8592, 0xA9EA, 0xA93B,
                                             0xAD88, 0x30A7, 0xA990, 0xAD57, 0xAD89});
    EXPECT_EQ(DecryptText(cipher, keys), u"Привет, мир!");
    EXPECT_EQ(EncryptText(u"Привет, мир!", keys), cipher);
    EXPECT_EQ(EncryptText(u"a", keys), fromUnits({0x51CD}));
    EXPECT_EQ(EncryptText(u"Секрет 42\tx", keys),
              fromUnits({0x201F, 0x9950, 0xE1F6, 0x9925, 0x8E5B, 0x9927, 0x241E, 0x9D51, 0xE5FE,
                         0x9D6C, 0x2446}));

    // The masks depend on the length: a shortened cipher text does not give
    // the shortened plain text.
    EXPECT_NE(DecryptText(cipher.substr(0, 11), keys), u"Привет, мир");
}
