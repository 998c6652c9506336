#include <gtest/gtest.h>

#include "crypto/base64url.h"

#include <string>
#include <vector>

using namespace quivra::crypto;

TEST(Base64Url, WritesRfc4648WithoutPaddingAndReadsOnlyWhatItWrites) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"", u""},
        {"f", u"Zg"},
        {"fo", u"Zm8"},
        {"foo", u"Zm9v"},
        {"foob", u"Zm9vYg"},
        {"fooba", u"Zm9vYmE"},
        {"foobar", u"Zm9vYmFy"},
        {"\xfb\xff\xbf", u"-_-_"}, // the two letters that differ from base64
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(base64UrlEncode(bytes), c.text) << c.bytes;
        EXPECT_EQ(base64UrlDecode(c.text), bytes) << c.bytes;
    }
    // Padding, the standard alphabet, a character over, bits after the end.
    const std::u16string refused[] = {u"Zg==", u"+/+/", u"Zm9vY", u"Zh", u"Zm9"};
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_FALSE(base64UrlDecode(refused[i])) << "case " << i;
}
