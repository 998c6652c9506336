// The digests from the system's CNG, and the key derivation through the
// system's ANSI code page, against the same known answers as the native build.
#include <windows.h>

#include <gtest/gtest.h>

#include "crypto/digest.h"
#include "crypto/hex.h"
#include "crypto/key_derivation.h"
#include "win/text_services_win.h"

#include "common/crypto_vectors.h"

using namespace quivra::crypto;
using namespace quivra::crypto::test;

TEST(CngDigest, Md5MatchesRfc1321) {
    for (const auto& v : kMd5Vectors)
        EXPECT_EQ(LowerHex(md5(v.message)), v.hex) << v.message;
}

TEST(CngDigest, HmacMd5MatchesRfc2202) {
    for (std::size_t i = 0; i < kHmacMd5Vectors.size(); ++i) {
        const auto& v = kHmacMd5Vectors[i];
        EXPECT_EQ(LowerHex(hmacMd5(v.key, v.message)), v.hex) << "case " << i + 1;
    }
}

TEST(CngDigest, HmacSha1MatchesRfc2202) {
    for (std::size_t i = 0; i < kHmacSha1Vectors.size(); ++i) {
        const auto& v = kHmacSha1Vectors[i];
        EXPECT_EQ(LowerHex(hmacSha1(v.key, v.message)), v.hex) << "case " << i + 1;
    }
}

TEST(CngDigest, KeySetsThroughTheSystemCodePage) {
    ASSERT_EQ(GetACP(), 1251u) << "the known answers are for Windows-1251";
    const auto& services = quivra::win::win32TextServices();
    for (const auto& v : kKeySetVectors)
        EXPECT_EQ(DeriveKeySet(v.password, services), v.keys);

    // The system replaces é by its best fit e: the digests agree, the code
    // units (K2) do not.
    const KeySet accented = DeriveKeySet(u"café1234", services);
    const KeySet plain = DeriveKeySet(u"cafe1234", services);
    EXPECT_EQ(accented.K1, plain.K1);
    EXPECT_NE(accented.K2, plain.K2);
    EXPECT_EQ(accented.K3, plain.K3);
    EXPECT_EQ(accented.K5, plain.K5);
}
