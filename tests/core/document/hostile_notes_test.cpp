#include <gtest/gtest.h>

#include "common/hostile_notes.h"

#include <regex>
#include <set>
#include <string>

using namespace std::string_literals;
using quivra::document::HostileNotes;
using quivra::document::isUnsafeMark;
using quivra::document::withoutUnsafeMarks;

namespace {

// Every code point the reader could make of the note, as far as a mark could
// hide in it: UTF-16 text after a mark, else UTF-8 sequences, \uN escapes and
// the code pages named.
std::string firstUnsafePart(const std::string& note) {
    if (note.starts_with("\xFF\xFE") || note.starts_with("\xFE\xFF")) {
        const bool big = note[0] == '\xFE';
        for (size_t i = 2; i + 1 < note.size(); i += 2) {
            const auto a = static_cast<unsigned char>(note[i]),
                       b = static_cast<unsigned char>(note[i + 1]);
            const char16_t u = big ? char16_t(a << 8 | b) : char16_t(b << 8 | a);
            if (isUnsafeMark(u))
                return "UTF-16 unit at " + std::to_string(i);
        }
        return "";
    }
    for (size_t i = 0; i < note.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(note[i]);
        const int n = b0 >= 0xF5 ? 0 : b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 ? 2 : 0;
        if (n == 0 || i + n > note.size())
            continue;
        char32_t c = b0 & (0x3F >> (n - 1));
        bool ok = true;
        for (int k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(note[i + k]);
            ok = ok && (b & 0xC0) == 0x80;
            c = c << 6 | (b & 0x3F);
        }
        if (ok && isUnsafeMark(c))
            return "UTF-8 at " + std::to_string(i);
    }
    static const std::regex escape(R"(\\(u|fcharset|ansicpg|cpg)(-?[0-9]+))");
    static const std::set<long> charsets{0,   1,   2,   77,  128, 129, 134,
                                         136, 161, 162, 186, 204, 238, 255};
    static const std::set<long> pages{0,   437,  850,  866,  932,  936, 949,
                                      950, 1250, 1251, 1252, 1253, 1257};
    for (std::sregex_iterator it(note.begin(), note.end(), escape), end; it != end; ++it) {
        const std::string word = (*it)[1];
        const long value = std::stol((*it)[2].str().substr(0, 9));
        if (word == "u" && value >= -32768 && value <= 65535 &&
            isUnsafeMark(static_cast<char16_t>(static_cast<unsigned short>(value))))
            return it->str();
        if (word == "fcharset" && !charsets.count(value))
            return it->str();
        if ((word == "ansicpg" || word == "cpg") && !pages.count(value))
            return it->str();
    }
    return "";
}

} // namespace

TEST(HostileNotes, TheSameSeedGivesTheSameNotes) {
    HostileNotes a(7, {}), b(7, {}), c(8, {});
    bool differs = false;
    for (int i = 0; i < 300; ++i) {
        const auto na = a.next(), nb = b.next(), nc = c.next();
        ASSERT_EQ(na.bytes, nb.bytes) << i;
        ASSERT_STREQ(na.kind, nb.kind) << i;
        differs = differs || na.bytes != nc.bytes;
    }
    EXPECT_TRUE(differs);
}

TEST(HostileNotes, MakeEveryKindAndNoMarkWithoutABase) {
    HostileNotes notes(1, {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0 "
                           "\\trowd\\cellx1000\\intbl a\\cell\\row\\pard \\'e0\\par}"});
    std::set<std::string> kinds;
    for (int i = 0; i < 3000; ++i) {
        const auto note = notes.next();
        kinds.insert(note.kind);
        const std::string unsafe = firstUnsafePart(note.bytes);
        ASSERT_EQ(unsafe, "") << note.kind << " #" << i;
    }
    EXPECT_EQ(kinds.size(), 13u);
}

TEST(HostileNotes, RewriteWhatCouldCarryAMarkWithoutABase) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\xD6\xB0z", "a??z"},                         // U+05B0, a Hebrew point
        {"\xE0\xBA\xB1 \xCE\xB1", "??? \xCE\xB1"},      // a Lao mark; a Greek letter stays
        {"\\u1456?\\u1078?", "\\u1078?\\u1078?"},       // U+05B0 as an escape
        {"\\u-10240?\\u-10179?", "\\u1078?\\u-10179?"}, // high surrogates only of emoji
        {"\\fcharset177 \\fcharset204", "\\fcharset204 \\fcharset204"},
        {"\\ansicpg1255\\cpg874", "\\ansicpg1251\\cpg1251"},
        {"{\\urtf1 \\'d6\\'b0\\'d0\\'96}", "{\\urtf1 \\'3f\\'3f\\'d0\\'96}"},
        {"\xFF\xFE\xB0\x05\x16\x04", "\xFF\xFE?\0\x16\x04"s},
        {"\xD0\x96 \\u1078? \\uc1 \\fs20", "\xD0\x96 \\u1078? \\uc1 \\fs20"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(withoutUnsafeMarks(in), out) << in;
}
