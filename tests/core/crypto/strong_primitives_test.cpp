#include <gtest/gtest.h>

#include "crypto/strong_primitives.h"

#include "common/strong_cipher_checks.h"

using namespace quivra::crypto;
using namespace quivra::crypto::test;

TEST(StrongPrimitives, Pbkdf2HmacSha256MatchesPublishedVectors) {
    checkPbkdf2Sha256Vectors();
}

TEST(StrongPrimitives, Aes256GcmMatchesTheGcmSpecification) {
    checkAes256GcmVectors();
}

TEST(StrongPrimitives, Aes256GcmRefusesAChangedTagOrText) {
    checkAes256GcmRefusals();
}
