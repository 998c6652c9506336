#include <gtest/gtest.h>

#include "document/rtf_guard.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace std::string_literals;
using quivra::document::RtfHazard;
using quivra::document::scanRtf;
using quivra::document::startsAsRtf;

namespace {

const std::string kHead = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 "
                          "Tahoma;}}\\pard\\f0\\fs16 ";

// A document whose deepest point has `depth` groups open (the outer one
// counting).
std::string nested(int depth) {
    return kHead + std::string(depth - 1, '{') + "x" + std::string(depth - 1, '}') + "}";
}

std::string repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string readTestFile(const char* name) {
    std::ifstream in(std::string(QUIVRA_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct Case {
    const char* name;
    std::string document;
    RtfHazard hazard;
};

} // namespace

TEST(RtfGuard, RefusesWhatOverrunsTheReaderAndKeepsAMarginBelowIt) {
    const Case cases[] = {
        {"30 groups deep", nested(30), RtfHazard::None},
        {"31 groups deep", nested(31), RtfHazard::GroupsTooDeep},
        {"deep groups never closed", kHead + std::string(40, '{') + "x", RtfHazard::GroupsTooDeep},
        {"escaped braces are text", kHead + repeat("\\{", 100) + "}", RtfHazard::None},
        {"control word of 255 letters", kHead + "\\" + std::string(255, 'a') + " x}",
         RtfHazard::None},
        {"control word of 256 letters", kHead + "\\" + std::string(256, 'a') + " x}",
         RtfHazard::ControlWordTooLong},
        {"control word of 200,000 letters", kHead + "\\" + std::string(200000, 'q') + "}",
         RtfHazard::ControlWordTooLong},
        {"parameter of 255 digits", kHead + "\\fs-" + std::string(255, '9') + " x}",
         RtfHazard::None},
        {"parameter of 256 digits", kHead + "\\fs" + std::string(256, '9') + " x}",
         RtfHazard::ParameterTooLong},
        {"font name of 255 characters", "{\\rtf1{\\fonttbl{\\f0 " + std::string(255, 'A') + ";}}x}",
         RtfHazard::None},
        {"font name of 256 characters", "{\\rtf1{\\fonttbl{\\f0 " + std::string(256, 'A') + ";}}x}",
         RtfHazard::NameTooLong},
        {"style name of 256 characters",
         "{\\rtf1{\\stylesheet{\\s1 " + std::string(256, 'A') + ";}}x}", RtfHazard::NameTooLong},
        {"name of hex escapes", "{\\rtf1{\\fonttbl{\\f0 " + repeat("\\'c0", 256) + ";}}x}",
         RtfHazard::NameTooLong},
        {"line breaks do not end a name",
         "{\\rtf1{\\fonttbl{\\f0 " + repeat("A\r\n", 256) + ";}}x}", RtfHazard::NameTooLong},
        {"font table not first in its group",
         "{\\rtf1 {\\b\\fonttbl " + std::string(300, 'A') + ";}x}", RtfHazard::NameTooLong},
        {"names split by control words",
         "{\\rtf1{\\fonttbl{\\f0 " + repeat(std::string(200, 'A') + "\\b ", 5) + ";}}x}",
         RtfHazard::None},
        {"names split by semicolons",
         "{\\rtf1{\\fonttbl{\\f0 " + repeat(std::string(200, 'A') + ";", 5) + "}}x}",
         RtfHazard::None},
        {"long text after the font table",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}" + std::string(5000, 'A') + "}", RtfHazard::None},
        {"tables nested 100 deep", kHead + "\\itap100 x}", RtfHazard::None},
        {"tables nested 101 deep", kHead + "\\intbl\\itap101 x\\nestcell}",
         RtfHazard::TablesTooDeep},
        {"negative nesting opens nothing", kHead + "\\itap-100000 x}", RtfHazard::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scanRtf(c.document).hazard, c.hazard) << c.name;
}

TEST(RtfGuard, ReadsOnWhereTheReaderMayStop) {
    const std::string deep = std::string(40, '{') + "y" + std::string(40, '}');
    const Case cases[] = {
        {"after the outermost group", kHead + "x}" + deep, RtfHazard::GroupsTooDeep},
        {"after a font table that took the last brace", "{\\rtf1\\fonttbl{}}" + deep,
         RtfHazard::GroupsTooDeep},
        {"after a bad hex escape", kHead + "x\\'zz" + deep + "}", RtfHazard::GroupsTooDeep},
        {"after a NUL: the reader skips it", kHead + "x\0"s + deep + "}", RtfHazard::GroupsTooDeep},
        {"not RTF at all", deep, RtfHazard::None},
        {"UTF-8 RTF", "{\\urtf1 " + deep + "}", RtfHazard::GroupsTooDeep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scanRtf(c.document).hazard, c.hazard) << c.name;

    const std::string longWord = kHead + "\\" + std::string(300, 'a');
    EXPECT_EQ(scanRtf(longWord).offset, kHead.size());
}

TEST(RtfGuard, FollowsTheTokensAUnicodeEscapeMakesTheReaderReadTwice) {
    // After \uN the reader drops \uc text tokens as the fallback; a group or
    // a control word met first is put back and its hook runs twice.
    const Case cases[] = {
        {"braces after escapes with fallbacks", kHead + repeat("\\u65?{}", 40) + "}",
         RtfHazard::None},
        {"braces right after escapes", kHead + repeat("\\u65{}", 40) + "}",
         RtfHazard::GroupsTooDeep},
        {"braces after escapes that need no fallback",
         kHead + "\\uc0" + repeat("\\u65{}", 40) + "}", RtfHazard::None},
        {"braces after too short a fallback", kHead + "\\uc2" + repeat("\\u65?{}", 40) + "}",
         RtfHazard::GroupsTooDeep},
        {"a cell ended right after an escape counts twice",
         kHead + "\\cellx1000\\cellx2000\\intbl \\u9786\\cell \\u9786\\cell\\row\\pard}",
         RtfHazard::BadTable},
        {"cells after escapes with fallbacks",
         kHead + "\\cellx1000\\cellx2000\\intbl \\u9786?\\cell \\u9786?\\cell\\row\\pard}",
         RtfHazard::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scanRtf(c.document).hazard, c.hazard) << c.name;
}

TEST(RtfGuard, TellsRtfByItsFirstBytes) {
    EXPECT_TRUE(startsAsRtf("{\\rtf1}"));
    EXPECT_TRUE(startsAsRtf("{\\urtf1}"));
    EXPECT_TRUE(startsAsRtf("{\\rtf"));
    EXPECT_FALSE(startsAsRtf(" {\\rtf1}"));
    EXPECT_FALSE(startsAsRtf("\xEF\xBB\xBF{\\rtf1}"));
    EXPECT_FALSE(startsAsRtf("{\\RTF1}"));
    EXPECT_FALSE(startsAsRtf(""));
}

TEST(RtfGuard, CountsParagraphBreaksAndTheLongestParagraph) {
    EXPECT_EQ(scanRtf(kHead + repeat("a\\par ", 7) + "\\line\\\r\n}").paragraphs, 9u);
    EXPECT_EQ(scanRtf(kHead + "ab\\par abc\\'e0\\u1078?{\\b d}\\par x}").longestParagraph, 6u);
    EXPECT_EQ(scanRtf(kHead + "\\trowd\\cellx100 a\\cell\\row\\pard\\partial}").paragraphs, 2u);
}

TEST(RtfGuard, PassesNotesAsWordPadWordAndWineWriteThem) {
    const auto scan = scanRtf(readTestFile("richedit-style.rtf"));
    EXPECT_TRUE(scan.safe());
    EXPECT_EQ(scan.paragraphs, 5u);
    for (const char* name :
         {"tables-nested.rtf", "tables-as-wine-writes-them.rtf", "word-style.rtf"})
        EXPECT_TRUE(scanRtf(readTestFile(name)).safe()) << name;
}

TEST(RtfGuard, RefusesEveryNoteThatCrashedOrHungTheControl) {
    // Each of these crashed Wine's control or kept it busy for minutes.
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(QUIVRA_TEST_DATA) + "/hostile")) {
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_FALSE(scanRtf(bytes.str()).safe()) << entry.path().filename();
    }
    EXPECT_GE(files, 16);
}
