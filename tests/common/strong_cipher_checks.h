// The strong cipher's primitives against the known answers of
// crypto_vectors.h. The native tests and the tests of the Windows build run
// the same checks, each over its own library.
#pragma once

#include <gtest/gtest.h>

#include "crypto/strong_primitives.h"
#include "crypto/strong_token.h"

#include "common/crypto_vectors.h"

#include <algorithm>

namespace quivra::crypto::test {

template <typename Array> Array arrayFromHex(std::string_view hex) {
    const auto bytes = bytesFromHex(hex);
    Array a{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), a.size()), a.begin());
    return a;
}

inline void checkPbkdf2Sha256Vectors() {
    for (const auto& v : kPbkdf2Sha256Vectors) {
        std::vector<std::uint8_t> out(v.hex.size() / 2);
        const std::vector<std::uint8_t> saltBytes(v.salt.begin(), v.salt.end());
        pbkdf2HmacSha256(v.password, saltBytes, v.iterations, out);
        EXPECT_EQ(out, bytesFromHex(v.hex)) << v.source;
    }
}

// Both directions: encryption gives the published cipher text and tag, and
// decryption of those gives the plain text back.
inline void checkAes256GcmVectors() {
    for (const auto& v : kAes256GcmVectors) {
        const auto key = arrayFromHex<AesKey>(v.key);
        const auto nonce = arrayFromHex<GcmNonce>(v.nonce);
        const auto plain = bytesFromHex(v.plain);
        const auto associated = bytesFromHex(v.associated);
        const GcmSealed sealed = aes256GcmEncrypt(key, nonce, plain, associated);
        EXPECT_EQ(sealed.cipherText, bytesFromHex(v.cipherText)) << "test case " << v.testCase;
        EXPECT_EQ(sealed.tag, arrayFromHex<GcmTag>(v.tag)) << "test case " << v.testCase;
        const auto opened = aes256GcmDecrypt(key, nonce, bytesFromHex(v.cipherText),
                                             arrayFromHex<GcmTag>(v.tag), associated);
        ASSERT_TRUE(opened.has_value()) << "test case " << v.testCase;
        EXPECT_EQ(*opened, plain) << "test case " << v.testCase;
    }
}

// A changed tag or cipher text is refused, as an answer and not an
// exception; the empty text of test case 13 has only its tag to check.
inline void checkAes256GcmRefusals() {
    for (const auto& v : kAes256GcmVectors) {
        const auto key = arrayFromHex<AesKey>(v.key);
        const auto nonce = arrayFromHex<GcmNonce>(v.nonce);
        auto cipherText = bytesFromHex(v.cipherText);
        auto tag = arrayFromHex<GcmTag>(v.tag);
        const auto associated = bytesFromHex(v.associated);
        tag[15] ^= 1;
        EXPECT_FALSE(aes256GcmDecrypt(key, nonce, cipherText, tag, associated)) << v.testCase;
        tag[15] ^= 1;
        if (!cipherText.empty()) {
            cipherText[0] ^= 0x80;
            EXPECT_FALSE(aes256GcmDecrypt(key, nonce, cipherText, tag, associated)) << v.testCase;
        }
    }
}

// The token of another implementation opens with the program's own work
// factor, and not with any other.
inline void checkKnownStrongToken() {
    const auto& v = kStrongTokenVector;
    ASSERT_TRUE(isStrongToken(v.token));
    StrongKeys keys(v.password);
    EXPECT_EQ(decryptStrongToken(keys, v.token), v.text);
    StrongKeys fewer(v.password, kStrongKeyIterations - 1);
    EXPECT_FALSE(decryptStrongToken(fewer, v.token));
}

} // namespace quivra::crypto::test
