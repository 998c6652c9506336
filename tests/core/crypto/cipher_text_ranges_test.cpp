#include <gtest/gtest.h>

#include "crypto/cipher_text_ranges.h"
#include "crypto/strong_token.h"

#include <string>

using namespace quivra::crypto;

TEST(CipherTextRanges, TellTokensAndCompatibleCipherLinesFromText) {
    StrongKeys keys(u"пароль", 1);
    const std::u16string token = encryptStrongText(keys, u"тайна");
    // Compatible cipher text: random code units, a surrogate without its
    // pair among them.
    const std::u16string lone = u"\x8D96\xD800\x4AFA\x0041\x8D81";
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
        {"a control character", u"\x8D96\x01\x4AFA\rok", {{0, 3}}},
        {"an encrypted selection among words", u"пароль: " + lone + u" и всё", {{8, lone.size()}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cipherTextRanges(c.text), c.cipher) << c.what;
}
