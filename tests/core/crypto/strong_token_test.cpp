#include <gtest/gtest.h>

#include "crypto/base64url.h"
#include "crypto/strong_token.h"

#include "common/strong_cipher_checks.h"

#include <string>
#include <vector>

using namespace quivra::crypto;

namespace {

// A work factor of one keeps the tests fast; the program's own is checked
// against the known token.
constexpr std::uint32_t kFast = 1;

std::u16string everyCodeUnit() {
    std::u16string text;
    for (char32_t u = 0; u <= 0xFFFF; ++u)
        text.push_back(static_cast<char16_t>(u));
    return text;
}

std::u16string zeros(std::size_t n) {
    return base64UrlEncode(std::vector<std::uint8_t>(n));
}

} // namespace

TEST(StrongToken, OpensTheTokenOfAnotherImplementation) {
    quivra::crypto::test::checkKnownStrongToken();
}

TEST(StrongToken, GivesBackEveryTextExactly) {
    struct Case {
        const char* name;
        std::u16string text;
    };
    const Case cases[] = {
        {"empty", u""},
        {"one letter", u"я"},
        {"lone surrogates", u"\xDC00 \xD800\xD800 x\xDBFF"},
        {"surrogate pair", u"ключ \U0001F511"},
        {"control characters", std::u16string(u"\0\n\r\t\x1F\xFFFF\xFEFF", 7)},
        {"comment markers", u"##[ a ]##"},
        {"a token", u"QV1:AAAA"},
        {"every code unit", everyCodeUnit()},
    };
    StrongKeys keys(u"пароль", kFast);
    for (const auto& c : cases) {
        const std::u16string token = encryptStrongText(keys, c.text);
        EXPECT_TRUE(isStrongToken(token)) << c.name;
        EXPECT_EQ(decryptStrongToken(keys, token), c.text) << c.name;
        // A fresh nonce each time: the same text never gives the same token.
        EXPECT_NE(encryptStrongText(keys, c.text), token) << c.name;
    }
}

TEST(StrongToken, RecognisesOnlyAWholeWellFormedToken) {
    StrongKeys keys(u"пароль", kFast);
    const std::u16string token = encryptStrongText(keys, u"abc");
    const std::u16string body = token.substr(4);
    struct Case {
        const char* name;
        std::u16string text;
        bool isToken;
    };
    const Case cases[] = {
        {"the token", token, true},
        {"space before", u" " + token, false},
        {"space after", token + u" ", false},
        {"two tokens", token + token, false},
        {"other version", u"QV2:" + body, false},
        {"no prefix", body, false},
        {"salt, nonce and tag of zeros", u"QV1:" + zeros(44), true},
        {"half a code unit", u"QV1:" + zeros(45), false},
        {"too short for salt, nonce and tag", u"QV1:" + zeros(43), false},
        {"plain text", u"обычная строка", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isStrongToken(c.text), c.isToken) << c.name;
}

TEST(StrongToken, EveryFlippedBitIsRefused) {
    // Texts of 0, 1 and 2 code units end the base64 text in each of its three
    // ways, with 2, 4 and no bits after the last byte.
    StrongKeys keys(u"пароль", kFast);
    for (const std::u16string text : {u"", u"o", u"ok"}) {
        const std::u16string token = encryptStrongText(keys, text);
        ASSERT_EQ(decryptStrongToken(keys, token), text);
        for (std::size_t at = 0; at < token.size(); ++at)
            for (int bit = 0; bit < 16; ++bit) {
                std::u16string damaged = token;
                damaged[at] = static_cast<char16_t>(damaged[at] ^ (1u << bit));
                EXPECT_FALSE(decryptStrongToken(keys, damaged))
                    << text.size() << " code units, unit " << at << " bit " << bit;
            }
    }
}

TEST(StrongToken, WrongPasswordIsRefused) {
    StrongKeys right(u"пароль", kFast);
    const std::u16string token = encryptStrongText(right, u"секрет");
    for (const char16_t* wrong : {u"Пароль", u"пароль "}) {
        StrongKeys keys(wrong, kFast);
        EXPECT_FALSE(decryptStrongToken(keys, token));
    }
    // The same password at another work factor is another key.
    StrongKeys slower(u"пароль", 2);
    EXPECT_FALSE(decryptStrongToken(slower, token));
}

TEST(StrongToken, DerivesEachSaltsKeyOncePerCommand) {
    StrongKeys first(u"пароль", kFast);
    const std::u16string a = encryptStrongText(first, u"one");
    const std::u16string b = encryptStrongText(first, u"two");
    EXPECT_EQ(first.derivations(), 1u); // one salt for the whole command
    StrongKeys second(u"пароль", kFast);
    const std::u16string c = encryptStrongText(second, u"three");
    EXPECT_NE(a.substr(0, 25), c.substr(0, 25)); // a new command draws a new salt

    StrongKeys decrypting(u"пароль", kFast);
    for (const auto& token : {a, b, c, a, c})
        EXPECT_TRUE(decryptStrongToken(decrypting, token));
    EXPECT_EQ(decrypting.derivations(), 2u);
}
