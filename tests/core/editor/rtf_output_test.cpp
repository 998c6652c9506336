#include <gtest/gtest.h>

#include "editor/rtf_output.h"

#include <string>

using namespace std::string_literals;
using quivra::editor::fontTableCharsets;
using quivra::editor::restoreSurrogates;

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
