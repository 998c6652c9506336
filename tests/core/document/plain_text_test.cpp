#include <gtest/gtest.h>

#include "document/plain_text.h"

#include <string>

using namespace quivra;
using quivra::document::decodePlainText;

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

} // namespace

TEST(PlainText, DecodesByTheFirstBytes) {
    using namespace std::string_literals;
    const DecodeCase cases[] = {
        {"utf-16 LE", "\xFF\xFE\x1F\x04\x40\x04\r\0\n\0\xE9\0"s, u"Пр\r\né"},
        {"utf-16 BE", "\xFE\xFF\x04\x1F\x04\x40\0\r\0\n\0\xE9"s, u"Пр\r\né"},
        {"utf-8", "\xEF\xBB\xBF\xD0\x9F\xD1\x80 \xC3\xA9"s, u"Пр é"},
        {"ansi 1251", "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xA8"s, u"Привет\r\nЁ"},
        {"ansi that starts like a mark", "\xFF\xFF"s, u"яя"},
        {"mark alone", "\xEF\xBB\xBF"s, u""},
        {"utf-16 mark alone", "\xFE\xFF"s, u""},
        {"empty file", ""s, u""},
        {"unpaired surrogate is text", "\xFF\xFE\x00\xD8x\0"s, u"\xD800x"},
        {"utf-8 mark is not taken for ansi", "\xEF\xBB\xBFx"s, u"x"},
    };
    for (const auto& c : cases) {
        const auto text = document::decodePlainText(c.bytes, base::portableTextServices());
        ASSERT_TRUE(text.has_value()) << c.name;
        EXPECT_EQ(*text, c.text) << c.name;
    }
}

TEST(PlainText, RefusesWhatIsNotText) {
    using namespace std::string_literals;
    const std::pair<const char*, std::string> cases[] = {
        {"utf-8 marked but malformed", "\xEF\xBB\xBF\xD0"s},
        {"utf-8 marked, encoded surrogate", "\xEF\xBB\xBF\xED\xA0\x80"s},
        {"utf-16 LE odd length", "\xFF\xFEx\0y"s},
        {"utf-16 BE odd length", "\xFE\xFF\0"s},
        {"binary with NUL", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s},
        {"unmarked utf-16 read as ansi", "h\0i\0"s},
        {"utf-16 holding a NUL", "\xFF\xFEh\0\0\0"s},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(document::decodePlainText(bytes, base::portableTextServices()).has_value())
            << name;
}

TEST(PlainText, EveryLineEndBecomesOneParagraphBreak) {
    EXPECT_EQ(quivra::document::withParagraphBreaks(u"a\r\nb\nc\rd\r\n"), u"a\rb\rc\rd\r");
    EXPECT_EQ(quivra::document::withParagraphBreaks(u"\n\r\r\n\n"), u"\r\r\r\r");
    EXPECT_EQ(quivra::document::withParagraphBreaks(u"\v\t no break"), u"\v\t no break");
    EXPECT_EQ(quivra::document::withParagraphBreaks(u""), u"");
}
