#include <gtest/gtest.h>

#include "crypto/digest.h"
#include "crypto/hex.h"

#include "common/crypto_vectors.h"

using namespace quivra::crypto;
using namespace quivra::crypto::test;

TEST(Digest, Md5MatchesRfc1321) {
    for (const auto& v : kMd5Vectors)
        EXPECT_EQ(LowerHex(md5(v.message)), v.hex) << v.message;
}

TEST(Digest, HmacMd5MatchesRfc2202) {
    for (std::size_t i = 0; i < kHmacMd5Vectors.size(); ++i) {
        const auto& v = kHmacMd5Vectors[i];
        EXPECT_EQ(LowerHex(hmacMd5(v.key, v.message)), v.hex) << "case " << i + 1;
    }
}

TEST(Digest, HmacSha1MatchesRfc2202) {
    for (std::size_t i = 0; i < kHmacSha1Vectors.size(); ++i) {
        const auto& v = kHmacSha1Vectors[i];
        EXPECT_EQ(LowerHex(hmacSha1(v.key, v.message)), v.hex) << "case " << i + 1;
    }
}
