// The strong cipher's primitives from the system's CNG against the same
// known answers as the native build.
#include <gtest/gtest.h>

#include "common/strong_cipher_checks.h"

using namespace quivra::crypto;
using namespace quivra::crypto::test;

TEST(CngStrongCipher, Pbkdf2HmacSha256MatchesPublishedVectors) {
    checkPbkdf2Sha256Vectors();
}

TEST(CngStrongCipher, Aes256GcmMatchesTheGcmSpecification) {
    checkAes256GcmVectors();
}

TEST(CngStrongCipher, Aes256GcmRefusesAChangedTagOrText) {
    checkAes256GcmRefusals();
}

TEST(CngStrongCipher, OpensTheTokenOfAnotherImplementation) {
    checkKnownStrongToken();
}
