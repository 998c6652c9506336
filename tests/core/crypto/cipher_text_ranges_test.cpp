#include <gtest/gtest.h>

#include "crypto/cipher_text_ranges.h"
#include "crypto/strong_token.h"

#include <string>

using namespace quivra::crypto;

TEST(CipherTextRanges, TellTokensAndCompatibleCipherLinesFromText) {
    StrongKeys keys(u"пароль", 1);
    const std::u16string token = encryptStrongText(keys, u"тайна");
    const std::u16string lone = u"ab\xD800"
                                u"cd"; // a surrogate without its pair
    struct Case {
        const char* what;
        std::u16string text;
        std::vector<TextRange> cipher;
    } cases[] = {
        {"plain text, a tab, a line break and an emoji pair", u"Дом\tи\vсад 😀\rx", {}},
        {"a token as a line", u"a\r" + token + u"\rb", {{2, token.size()}}},
        {"a token written right after a word", u"слово" + token + u" end", {{5, token.size()}}},
        {"two tokens", token + u" " + token, {{0, token.size()}, {token.size() + 1, token.size()}}},
        {"the prefix with too short a body", u"QV1:abcdef", {}},
        {"a compatible cipher line, whole", u"ab\r" + lone + u"\rcd", {{3, lone.size()}}},
        {"a control character", u"x\x01y\rok", {{0, 3}}},
        {"a comment block's cipher line", u"##[" + lone + u"]##", {{0, lone.size() + 6}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cipherTextRanges(c.text), c.cipher) << c.what;
}
