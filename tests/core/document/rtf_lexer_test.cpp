#include <gtest/gtest.h>

#include "document/rtf_lexer.h"

#include <string>

using namespace std::string_literals;
using quivra::document::kRtfParameterCap;
using quivra::document::RtfLexer;
using quivra::document::RtfLexerOptions;
using quivra::document::RtfLimit;
using quivra::document::RtfToken;
using quivra::document::RtfTokenKind;

namespace {

// The tokens as one line: "{ \b1_ '233 sym:* text:ab }"; a word's "_" marks
// the space it took as its end.
std::string tokens(std::string_view rtf, RtfLexerOptions options = {}) {
    std::string out;
    RtfLexer lexer(rtf, options);
    for (RtfToken t = lexer.next(); t.kind != RtfTokenKind::End; t = lexer.next()) {
        if (!out.empty())
            out += ' ';
        switch (t.kind) {
        case RtfTokenKind::GroupOpen:
        case RtfTokenKind::GroupClose:
            out += t.raw;
            break;
        case RtfTokenKind::ControlWord:
            out += "\\" + std::string(t.word);
            if (t.parameter)
                out += std::to_string(*t.parameter);
            if (t.delimited)
                out += '_';
            break;
        case RtfTokenKind::ControlSymbol:
            out += "sym:" + std::string(t.raw.substr(1));
            break;
        case RtfTokenKind::HexByte:
            out += "'" + std::to_string(t.byte);
            break;
        case RtfTokenKind::Text:
            out += "text:" + std::string(t.word);
            break;
        case RtfTokenKind::LimitBroken:
            out += (t.limit == RtfLimit::ControlWordLetters ? "letters@" : "digits@") +
                   std::to_string(t.offset);
            break;
        case RtfTokenKind::End:
            break;
        }
    }
    return out;
}

RtfToken firstToken(std::string_view rtf, RtfLexerOptions options = {}) {
    return RtfLexer(rtf, options).next();
}

} // namespace

TEST(RtfLexer, SplitsADocumentAsReadersDo) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\\rtf1 ab{\\b c}}", "{ \\rtf1_ text:ab { \\b_ text:c } }"},
        {"\\par  two", "\\par_ text: two"}, // one space delimits, the next is text
        {"\\par\r\nx", "\\par text:\r\nx"},
        {"\\fs-24\\li0x", "\\fs-24 \\li0 text:x"},
        {"\\sl-x", "\\sl text:x"},  // a minus without digits goes with the word
        {"\\b1a2", "\\b1 text:a2"}, // letters after the digits are text
        {"\\{\\}\\\\\\*\\~", "sym:{ sym:} sym:\\ sym:* sym:~"},
        {"\\\xC3\xA9", "sym:\xC3 text:\xA9"}, // letters are ASCII only
        {"a\\", "text:a sym:"},               // a backslash that ends the document
        {"\\\0x"s, "sym:\0 text:x"s},
        {"", ""},
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(tokens(rtf), expected) << rtf;
}

TEST(RtfLexer, ReadsHexEscapesAndTakesTwoCharactersAfterABrokenOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\'e9\\'C0\\'0a", "'233 '192 '10"},
        {"\\'e9f", "'233 text:f"},
        {"\\'zz}x", "sym:'zz } text:x"},
        {"\\'e}x", "sym:'e} text:x"}, // the brace goes with the escape
        {"\\'e", "sym:'e"},
        {"\\'", "sym:'"},
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(tokens(rtf), expected) << rtf;
}

TEST(RtfLexer, ParametersAreExactUpToTheCapAndSaturateBeyond) {
    struct Case {
        std::string rtf;
        long value;
    };
    const Case cases[] = {
        {"\\u-10179?", -10179},
        {"\\fs0", 0},
        {"\\fs999999999", 999'999'999},
        {"\\fs1000000000", kRtfParameterCap},
        {"\\fs99999999999999999999", kRtfParameterCap},
        {"\\fs-" + std::string(300, '9'), -kRtfParameterCap},
    };
    for (const auto& c : cases) {
        const RtfToken t = firstToken(c.rtf);
        ASSERT_TRUE(t.parameter.has_value()) << c.rtf;
        EXPECT_EQ(*t.parameter, c.value) << c.rtf;
    }
}

TEST(RtfLexer, TakesTheDoubleMinusWineWritesOnlyWhenAsked) {
    const std::string rtf = "\\sl--1000000 x";
    EXPECT_EQ(tokens(rtf), "\\sl text:-1000000 x");
    const RtfToken t = firstToken(rtf, {.doubleMinus = true});
    EXPECT_EQ(t.parameter, -1000000);
    EXPECT_EQ(t.parameterText, "--1000000");
    EXPECT_EQ(t.raw, "\\sl--1000000 ");
    EXPECT_EQ(tokens("\\sl--x", {.doubleMinus = true}), "\\sl text:-x");
}

TEST(RtfLexer, ReportsATokenThatBreaksALimitAndReadsNoFurther) {
    const RtfLexerOptions limits{.controlWordLetters = 4, .parameterDigits = 3};
    const std::pair<std::string, std::string> cases[] = {
        {"ab\\abcd123 x", "text:ab \\abcd123_ text:x"},
        {"ab\\abcde x{", "text:ab letters@2"},
        {"{\\b1234}", "{ digits@1"},
        {"{\\b-1234}", "{ digits@1"}, // the sign is no digit
        {"\\b-123}", "\\b-123 }"},
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(tokens(rtf, limits), expected) << rtf;
}

TEST(RtfLexer, OffsetsAndRawBytesPointIntoTheDocument) {
    const std::string rtf = "{\\f0 ab\\'e9}";
    RtfLexer lexer(rtf, {}, 1);
    const RtfToken word = lexer.next();
    EXPECT_EQ(word.offset, 1u);
    EXPECT_EQ(word.raw, "\\f0 ");
    EXPECT_EQ(lexer.offset(), 5u);
    const RtfToken text = lexer.next();
    EXPECT_EQ(text.offset, 5u);
    EXPECT_EQ(text.raw, "ab");
    EXPECT_EQ(lexer.next().offset, 7u);
    EXPECT_EQ(lexer.next().kind, RtfTokenKind::GroupClose);
    EXPECT_EQ(lexer.next().kind, RtfTokenKind::End);
    EXPECT_EQ(RtfLexer(rtf, {}, 99).next().kind, RtfTokenKind::End);
}
