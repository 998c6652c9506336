#include <gtest/gtest.h>

#include "document/note_form.h"
#include "document/rtf_text.h"

#include "common/rtf_text_samples.h"
#include "common/test_code_pages.h"

using namespace quivra::document;
using quivra::document::testing::TestCodePages;

namespace {

std::optional<std::u16string> textOf(std::string_view rtf) {
    return rtfText(rtf, TestCodePages(), 1251);
}

} // namespace

// Each document with the text the editor under Wine reports for it.
TEST(RtfText, IsWhatTheEditorShows) {
    for (const auto& c : quivra::document::testing::kRtfTextSamples)
        EXPECT_EQ(textOf(c.rtf), c.text) << c.rtf;
}

TEST(RtfText, NoteFilesReadAsTheLoaderReadsThem) {
    const TestCodePages pages;
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<std::u16string> text;
    } cases[] = {
        {"RTF", "{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'ee\\'ec\\par}", u"Дом"},
        {"ANSI text", "\xc4\xee\xec\r\nline\n", u"Дом\rline\r"},
        {"UTF-8 text", "\xEF\xBB\xBFЖук\r\n", u"Жук\r"},
        {"binary bytes", std::string("a\0b", 3), std::nullopt},
        {"RTF the editor rejects, shown as its text", "{\\rtf1 a\\par", u"{\\rtf1 a\\par"},
        {"RTF the guard refuses", "{\\rtf1" + std::string(40, '{') + "x" + std::string(41, '}'),
         std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(noteFileText(c.bytes, quivra::base::portableTextServices(), pages, 1251), c.text)
            << c.what;
}
