#include <gtest/gtest.h>

#include "document/load_size.h"

using quivra::document::isBigNote;
using quivra::document::kBigNoteBytes;
using quivra::document::kBigNoteParagraphs;
using quivra::document::paragraphBreaks;

TEST(LoadSize, CountsEachKindOfLineBreakOnce) {
    const std::pair<std::u16string, std::size_t> cases[] = {
        {u"", 0},     {u"one line", 0}, {u"a\r\nb", 1},   {u"a\rb\nc", 2},
        {u"\n\r", 2}, {u"\r\n\r\n", 2}, {u"\r\r\n\n", 3}, {u"end\r", 1},
    };
    for (const auto& [text, breaks] : cases)
        EXPECT_EQ(paragraphBreaks(text), breaks) << text.size();
}

TEST(LoadSize, FindsTheLongestParagraph) {
    EXPECT_EQ(quivra::document::longestParagraph(u""), 0u);
    EXPECT_EQ(quivra::document::longestParagraph(u"ab\r\nabcd\nabc\r"), 4u);
    EXPECT_EQ(quivra::document::longestParagraph(u"\r\r12345"), 5u);
}

TEST(LoadSize, ABigNoteIsLongOrHasManyParagraphs) {
    EXPECT_FALSE(isBigNote(kBigNoteBytes - 1, kBigNoteParagraphs - 1));
    EXPECT_TRUE(isBigNote(kBigNoteBytes, 0));
    EXPECT_TRUE(isBigNote(10, kBigNoteParagraphs));
}
