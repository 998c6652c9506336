#include <gtest/gtest.h>

#include "common/test_code_pages.h"
#include "document/rtf_output.h"

#include <string>

using namespace std::string_literals;
using quivra::document::fontTableCharsets;
using quivra::document::restoreSurrogates;

namespace {
const std::string kHead =
    "{\\urtf\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\r\n{\\colortbl;}\r\n";
const std::string kFffd = "\xEF\xBF\xBD";
const std::string kGrin = "\xF0\x9F\x98\x80"; // U+1F600
} // namespace

TEST(RichEditRtfOutput, ReadsTheCharsetsOfTheFontTableOnly) {
    EXPECT_EQ(fontTableCharsets("{\\rtf1{\\fonttbl{\\f0\\fcharset204 Tahoma;}{\\f1 Arial;}"
                                "{\\f2\\fnil\\fcharset0 A\\{b\\};}{\\f3\\fcharset204 X;}}"
                                "\\f0\\fcharset128 text}"),
              (std::vector<int>{204, 0}));
    EXPECT_EQ(fontTableCharsets("{\\rtf1{\\fonttbl{\\f0\\fcharset2{\\*\\fname S;}Symbol;}}}"),
              std::vector<int>{2});
    EXPECT_TRUE(fontTableCharsets("{\\rtf1 \\fcharset204 no table}").empty());
}

TEST(RichEditRtfOutput, PutsSurrogatesBackWhereTheWriterLeftReplacements) {
    struct Case {
        const char* name;
        std::u16string text;
        std::string written; // body after kHead
        std::string expected;
    };
    const Case cases[] = {
        {"nothing to do", u"é", "\xC3\xA9}", "\xC3\xA9}"},
        {"lone high", u"a\xD800 b", "a" + kFffd + " b}", "a\\u-10240? b}"},
        {"lone low, then a pair kept", u"\xDC00\U0001F600", kFffd + kGrin + "}",
         "\\u-9216?" + kGrin + "}"},
        {"pair split by the writer", u"x\U0001F600", "x" + kFffd + kFffd + "}",
         "x\\u-10179?\\u-8704?}"},
        {"a real U+FFFD stays", u"\xFFFD\xDBFF", kFffd + kFffd + "}", kFffd + "\\u-9217?}"},
        {"reversed pair is two lone units", u"\xDC00\xD800", kFffd + kFffd + "}",
         "\\u-9216?\\u-10240?}"},
    };
    for (const auto& c : cases) {
        const auto repaired = restoreSurrogates(kHead + c.written, c.text);
        ASSERT_TRUE(repaired.has_value()) << c.name;
        EXPECT_EQ(*repaired, kHead + c.expected) << c.name;
    }
}

TEST(RichEditRtfOutput, LeavesDocumentsThatDoNotMatchTheText) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"\xD800", "x}"},                      // no replacement for the surrogate
        {u"x", "x" + kFffd + "}"},              // a replacement with no surrogate
        {u"\U0001F600", kFffd + "}"},           // half a split pair
        {u"\xD800\xD800", kFffd + kGrin + "}"}, // 4 bytes where lone units stood
    };
    for (const auto& [text, body] : cases)
        EXPECT_FALSE(restoreSurrogates(kHead + body, text).has_value()) << body;
}

TEST(RichEditRtfOutput, IgnoresReplacementsInFaceNames) {
    const std::string rtf = "{\\urtf{\\fonttbl{\\f0 Bad" + kFffd + "Face;}}a" + kFffd + "}";
    EXPECT_EQ(restoreSurrogates(rtf, u"a\xDFFF"),
              "{\\urtf{\\fonttbl{\\f0 Bad" + kFffd + "Face;}}a\\u-8193?}");
}

namespace {

using quivra::document::beginsAsStandardRtf;
using quivra::document::standardRtf;
using quivra::document::testing::TestCodePages;

const std::string kUtf8Head = "{\\urtf\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}{\\f1\\fcharset0 "
                              "Arial;}{\\f2\\fcharset2 Symbol;}{\\f3 Courier New;}}\r\n";
const std::string kStandardHead =
    "{\\rtf1\\ansi\\ansicpg1251\\uc1\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}{\\f1\\fcharset0 "
    "Arial;}{\\f2\\fcharset2 Symbol;}{\\f3 Courier New;}}\r\n";

} // namespace

TEST(RichEditRtfOutput, WritesStandardRtfThatKeepsEveryCodeUnit) {
    struct Case {
        const char* name;
        std::string body; // after the font table, as the UTF-8 writer wrote it
        std::string expected;
    };
    const Case cases[] = {
        {"Cyrillic in the code page", "\\f0 \xD0\x9F\xD1\x80\xD0\xB8\xD1\x91}",
         "\\f0 \\'cf\\'f0\\'e8\\'b8}"},
        {"a letter 1251 lacks", "\\f0 caf\xC3\xA9}", "\\f0 caf\\u233?}"},
        {"the same letter in a Western font", "\\f1 caf\xC3\xA9}", "\\f1 caf\\'e9}"},
        {"symbols", "\\f0 \xE2\x98\xBA\xE2\x88\x9A}", "\\f0 \\u9786?\\u8730?}"},
        {"a pair: one escape per code unit", "\\f0 \xF0\x9F\x98\x80}", "\\f0 \\u-10179?\\u-8704?}"},
        {"last units of the plane", "\\f0 \xEF\xBF\xBF\xEF\xBB\xBF}", "\\f0 \\u-1?\\u-257?}"},
        {"restored lone surrogates stay", "\\f0 a\\u-10240?b}", "\\f0 a\\u-10240?b}"},
        {"even in a symbol font", "\\f2 \\u-10240?}", "\\f2 \\u-10240?}"},
        {"control characters", "\\f0 \x01x\x1F\\tab\r\n\\par}", "\\f0 \\u1?x\\u31?\\tab\r\n\\par}"},
        {"symbol font: escapes only", "\\f2 \xEF\x80\xA0!\\{\\par}",
         "\\f2 \\u-4064?\\u33?\\u123?\\par}"},
        {"a font without a character set uses the ANSI code page", "\\f3 \xD0\xB6}", "\\f3 \\'e6}"},
        {"the font ends with its group", "{\\f1 \xC3\xA9}\xC3\xA9}", "{\\f1 \\'e9}\\u233?}"},
        {"text before any font is in the default font", "\xD0\xB6}", "\\'e6}"},
        {"a number written with two minus signs", "\\pard\\sl--1000000\\slmult0 x}",
         "\\pard\\sl-1000000\\slmult0 x}"},
        {"escaped braces and backslashes are ASCII", "\\f0 \\{\\}\\\\}", "\\f0 \\{\\}\\\\}"},
    };
    const TestCodePages pages;
    for (const auto& c : cases) {
        const auto out = standardRtf(kUtf8Head + c.body, 1251, pages);
        ASSERT_TRUE(out.has_value()) << c.name;
        EXPECT_EQ(*out, kStandardHead + c.expected) << c.name;
    }
}

TEST(RichEditRtfOutput, WritesTablesAsText) {
    // As Wine's writer puts a table with a nested one.
    const std::string body =
        "\\trowd\\trgaph108\\cellx1800\\cellx3600\\f0 a\\cell b\\cell \\row\r\n"
        "\\trowd\\trgaph108\\cellx1800\\cellx3600 in\\nestcell \\pard\\intbl\\itap2 \\nestcell "
        "{\\*\\nesttableprops\\trowd\\trgaph10\\cellx900\\nestrow}{\\nonesttables\\par}\r\n"
        "\\pard\\intbl out\\cell x\\cell \\row\r\n\\pard z\\par}";
    // A dropped word leaves a space where the words around would join.
    const std::string expected = "\\trgaph108 \\f0 a\\tab b\\tab \\par \r\n"
                                 "\\trgaph108 in\\tab \\pard \\tab \\par \r\n"
                                 "\\pard out\\tab x\\tab \\par \r\n\\pard z\\par}";
    const TestCodePages pages;
    const auto out = standardRtf(kUtf8Head + body, 1251, pages);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out, kStandardHead + expected);
}

TEST(RichEditRtfOutput, WritesFaceNamesInTheirCodePage) {
    const TestCodePages pages;
    const auto out = standardRtf("{\\urtf1{\\fonttbl{\\f0\\fcharset204 \xD0\x9C\xD0\xBE\xD0\xB9 "
                                 "\xE2\x98\xBA;}{\\f1\\fcharset0 \xC3\xA9\xD0\xB6;}}\\deff1 x}",
                                 1251, pages);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out,
              "{\\rtf1\\ansi\\ansicpg1251\\uc1{\\fonttbl{\\f0\\fcharset204 \\'cc\\'ee\\'e9 ?;}"
              "{\\f1\\fcharset0 \\'e9\\'e6;}}\\deff1 x}");
}

TEST(RichEditRtfOutput, AsksThePlatformOncePerCharacterAndCodePage) {
    TestCodePages pages;
    std::string body = "\\f0 ";
    for (int i = 0; i < 1000; ++i)
        body += "\xD0\xB6\xC3\xA9";
    ASSERT_TRUE(standardRtf(kUtf8Head + body + "}", 1251, pages).has_value());
    EXPECT_EQ(pages.asked, 2);
}

TEST(RichEditRtfOutput, LeavesWhatIsNotTheWritersUtf8Rtf) {
    const TestCodePages pages;
    EXPECT_FALSE(standardRtf("{\\rtf1 x}", 1251, pages).has_value());
    EXPECT_FALSE(standardRtf(kUtf8Head + "\\f0 \xC3}", 1251, pages).has_value());
    EXPECT_FALSE(standardRtf(kUtf8Head + "\\f0 \xED\xA0\x80}", 1251, pages).has_value());
    EXPECT_EQ(quivra::document::codePageOfCharset(1, 1250), 1250u);
    EXPECT_EQ(quivra::document::codePageOfCharset(2, 1251), std::nullopt);
}

TEST(RichEditRtfOutput, TellsItsOwnDocumentsFromOtherWriters) {
    const TestCodePages pages;
    EXPECT_TRUE(beginsAsStandardRtf(*standardRtf(kUtf8Head + "x}", 1251, pages)));
    for (const char* other : {
             "{\\urtf1\\deff0 x}",                                // Wine's UTF-8 writer
             "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049 x}", // Windows' control
             "{\\rtf1\\ansi\\deff3\\adeflang1025 x}",             // an office suite
             "{\\rtf1\\ansi\\ansicpg\\uc1 x}",                    // no code page
             "{\\rtf1\\ansi\\ansicpg1251",                        // cut short
         })
        EXPECT_FALSE(beginsAsStandardRtf(other)) << other;
}
