#include <gtest/gtest.h>

#include "base/text_services.h"
#include "base/utf.h"

using namespace quivra;

TEST(Utf, RoundTripsEveryKindOfCodeUnit) {
    const std::u16string samples[] = {u"",
                                      u"plain",
                                      u"Привет, мир",
                                      u"é ÿ Ā ＡＢ",
                                      u"\U0001F600 emoji",
                                      std::u16string(1, char16_t(0xD800)),
                                      std::u16string(1, char16_t(0xDFFF)) + u"x"};
    for (const auto& s : samples)
        EXPECT_EQ(base::utf8ToUtf16(base::utf16ToUtf8(s)), s);
}

TEST(Utf, InvalidBytesBecomeReplacementAndAreRejected) {
    EXPECT_EQ(base::utf8ToUtf16("a\xFF"
                                "b"),
              u"a\uFFFDb");
    EXPECT_EQ(base::utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
    EXPECT_FALSE(base::isValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(base::isValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_TRUE(base::isValidUtf8("Привет"));
}

TEST(TextServices, PortableCodePageIsWindows1251) {
    const auto& ts = base::portableTextServices();
    EXPECT_EQ(ts.ansiToUtf16("\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8\x88"), u"Привет Ёё€");
    EXPECT_EQ(ts.utf16ToAnsi(u"Пё€é"), "\xCF\xB8\x88?");
}

TEST(TextServices, LowerCaseCoversLatinGreekCyrillic) {
    EXPECT_EQ(base::portableTextServices().toLower(u"ABC ÀÉ ΑΩ АЯ ЁЇ Ā Ґ"), u"abc àé αω ая ёї ā ґ");
    EXPECT_TRUE(base::equalsIgnoreCase(u"Заметка", u"зАМЕТКА"));
    EXPECT_FALSE(base::equalsIgnoreCase(u"Заметка", u"Заметки"));
}
