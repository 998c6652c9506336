#include <gtest/gtest.h>

#include "common/test_code_pages.h"
#include "document/rtf_paragraphs.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using quivra::document::ParagraphChange;
using quivra::document::rewriteParagraphs;
using quivra::document::testing::TestCodePages;

namespace {

// The head of a note as RichEdit::rtf() writes it.
const std::string kHead =
    "{\\rtf1\\ansi\\ansicpg1251\\uc1\\deff0\\deflang1049{\\fonttbl{\\f0\\fcharset204 Tahoma;}"
    "{\\f1\\fcharset0 Arial;}{\\f2\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}"
    "\r\n{\\*\\generator Wine Riched20 2.0;}\r\n";

std::string readData(const char* name) {
    std::ifstream in(std::string(QUIVRA_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(RtfParagraphRewrite, ReplacesTheTextOfChangedParagraphsOnly) {
    struct Case {
        const char* name;
        std::string body; // after kHead
        std::vector<ParagraphChange> changes;
        std::string expected;
    };
    const Case cases[] = {
        {"plain paragraphs, the same length",
         "\\pard\\f0\\fs16 one\\par\r\ntwo\\par\r\nsix\\par\r\n}",
         {{1, u"owt"}},
         "\\pard\\f0\\fs16 one\\par\r\nowt\\par\r\nsix\\par\r\n}"},
        {"longer, shorter and empty new texts",
         "\\pard\\f0 one\\par\r\ntwo\\par\r\nthree\\par\r\n}",
         {{0, u"one and more"}, {1, u"2"}, {2, u""}},
         "\\pard\\f0 one and more\\par\r\n2\\par\r\n\\par\r\n}"},
        {"the format of the first character, bold inside the line lost",
         "\\pard\\f0 ab\\b cd\\b0 ef\\par\r\n\\b gh\\b0  ij\\par\r\nkl\\par\r\n}",
         {{0, u"XYZ"}, {1, u"UVW"}},
         "\\pard\\f0 XYZ\\b \\b0 \\par\r\n\\b UVW\\b0 \\par\r\nkl\\par\r\n}"},
        {"an empty paragraph takes the format of its end",
         "\\pard\\f0 a\\par\r\n\\cf1\\par\r\n\\cf0 b\\par\r\n}",
         {{1, u"red"}},
         "\\pard\\f0 a\\par\r\n\\cf1 red\\par\r\n\\cf0 b\\par\r\n}"},
        {"Cyrillic, CJK and emoji in a Cyrillic font",
         "\\pard\\f0 x\\par\r\n}",
         {{0, u"Ж中😀"}},
         "\\pard\\f0 \\'c6\\u20013?\\u-10179?\\u-8704?\\par\r\n}"},
        {"lone surrogates, braces, a tab and control characters",
         "\\pard\\f0 x\\par\r\n}",
         {{0, u"\xDC00{a}\\\tb\x01\xD800"}},
         "\\pard\\f0 \\u-9216?\\{a\\}\\\\\\tab b\\u1?\\u-10240?\\par\r\n}"},
        {"the code page of the font in force",
         "\\pard\\f1 x\\par\r\n\\f2 y\\par\r\n}",
         {{0, u"caféЖ"}, {1, u"ab"}},
         "\\pard\\f1 caf\\'e9\\u1046?\\par\r\n\\f2 \\u97?\\u98?\\par\r\n}"},
        {"escapes of the old text go with it",
         "\\pard\\f0 \\'cf\\u-10179?\\u-8704?\\tab z\\par\r\n}",
         {{0, u"n"}},
         "\\pard\\f0 n\\par\r\n}"},
        {"a control word without its space before the text",
         "\\pard\\f0\\b\\'e9\\par\r\n\\b0\\par\r\n}",
         {{0, u"1x"}, {1, u" y"}},
         "\\pard\\f0\\b 1x\\par\r\n\\b0  y\\par\r\n}"},
        {"lists and alignment kept",
         "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
         "{\\pntxta.}}\\qc\\fi-360\\li360\\f0 first\\par\r\n{\\pntext\\f0 2.\\tab}second\\par\r\n}",
         {{0, u"1st"}, {1, u"2nd"}},
         "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
         "{\\pntxta.}}\\qc\\fi-360\\li360\\f0 1st\\par\r\n{\\pntext\\f0 2.\\tab}2nd\\par\r\n}"},
        {"the last paragraph without \\par",
         "\\pard\\f0 a\\par b}",
         {{1, u"B"}},
         "\\pard\\f0 a\\par B}"},
        {"comment blocks untouched",
         "\\pard\\f0 ##[ note\\par\r\n\\b secret\\b0\\par\r\n]##\\par\r\ncipher\\par\r\n}",
         {{3, u"plain"}},
         "\\pard\\f0 ##[ note\\par\r\n\\b secret\\b0\\par\r\n]##\\par\r\nplain\\par\r\n}"},
    };
    const TestCodePages pages;
    for (const auto& c : cases) {
        const auto out = rewriteParagraphs(kHead + c.body, c.changes, pages);
        ASSERT_TRUE(out.has_value()) << c.name;
        EXPECT_EQ(out->rtf, kHead + c.expected) << c.name;
    }
}

TEST(RtfParagraphRewrite, CountsParagraphsAsTheControlReadsThem) {
    // The control's text has one paragraph break fewer than the count.
    const std::pair<std::string, std::size_t> cases[] = {
        {"\\pard\\f0\\par\r\n}", 1},                 // an empty note
        {"\\pard\\f0 a\\par\r\n}", 1},               // "a"
        {"\\pard\\f0 a\\par\r\n\\par\r\n}", 2},      // "a\r"
        {"\\pard\\f0 a\\par\r\nb}", 2},              // the last one without \par
        {"\\pard\\f0 a\\par\r\n{\\*\\x \\par}}", 1}, // a skipped destination
    };
    const TestCodePages pages;
    for (const auto& [body, paragraphs] : cases) {
        const auto out = rewriteParagraphs(kHead + body, {}, pages);
        ASSERT_TRUE(out.has_value()) << body;
        EXPECT_EQ(out->paragraphs, paragraphs) << body;
        EXPECT_EQ(out->rtf, kHead + body);
    }
}

TEST(RtfParagraphRewrite, KeepsANoteWithoutChangesByteForByte) {
    const std::string note = readData("richedit-style.rtf");
    ASSERT_FALSE(note.empty());
    const auto out = rewriteParagraphs(note, {}, TestCodePages());
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->rtf, note);
    EXPECT_EQ(out->paragraphs, 5u);
}

TEST(RtfParagraphRewrite, RefusesWhatItCannotPlace) {
    struct Case {
        const char* name;
        std::string body;
        std::vector<ParagraphChange> changes;
    };
    const Case cases[] = {
        {"a table as the standard writer leaves it",
         "\\trgaph108 \\f0 a\\tab b\\tab \\par \r\n\\pard z\\par}",
         {{1, u"x"}}},
        {"a picture", "\\pard a{\\*\\shppict{\\pict\\emfblip 0102}}\\par}", {{0, u"x"}}},
        {"a field", "\\pard {\\field{\\*\\fldinst HYPERLINK}{\\fldrslt a}}\\par}", {{0, u"x"}}},
        {"binary data", "\\pard a{\\*\\x\\bin2 }}\\par}", {{0, u"x"}}},
        {"two fallback characters", "\\uc2\\pard a\\par}", {{0, u"x"}}},
        {"a change past the last paragraph", "\\pard a\\par\r\nb\\par\r\n}", {{2, u"x"}}},
        {"changes out of order", "\\pard a\\par\r\nb\\par\r\n}", {{1, u"x"}, {0, u"y"}}},
        {"the same paragraph twice", "\\pard a\\par\r\nb\\par\r\n}", {{0, u"x"}, {0, u"y"}}},
    };
    const TestCodePages pages;
    for (const auto& c : cases)
        EXPECT_FALSE(rewriteParagraphs(kHead + c.body, c.changes, pages).has_value()) << c.name;
}

TEST(RtfParagraphRewrite, TellsWhetherTheTextReadsWithTheChangesMade) {
    using quivra::document::readsAsChanged;
    struct Case {
        const char* name;
        std::u16string after;
        bool expected;
    };
    const std::u16string before = u"one\rtwo\r\rfour";
    const std::vector<ParagraphChange> changes = {{1, u"2"}, {2, u"three"}};
    const Case cases[] = {
        {"as changed", u"one\r2\rthree\rfour", true},
        {"a change missing", u"one\rtwo\rthree\rfour", false},
        {"an unchanged line differs", u"one\r2\rthree\rfour!", false},
        {"a line more", u"one\r2\rthree\rfour\r", false},
        {"a line fewer", u"one\r2\rthree", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readsAsChanged(before, c.after, changes), c.expected) << c.name;
    EXPECT_FALSE(readsAsChanged(u"a", u"a", std::vector<ParagraphChange>{{1, u"b"}}));
}
