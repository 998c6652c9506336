#include <gtest/gtest.h>

#include "crypto/comment_brackets.h"
#include "crypto/comment_edit.h"

#include <optional>
#include <string>

using namespace quivra::crypto;

namespace {

struct LookUpCase {
    const char* name;
    std::u16string text;
    std::size_t caret;
    std::optional<std::size_t> start, end;
};

} // namespace

TEST(CommentBrackets, LooksUpTheBlockAroundTheCaret) {
    const std::u16string abc = u"##[abc]##";
    const std::u16string nested = u"##[a ##[b]## c]##";
    const std::u16string lines = u"x\r##[one\rtwo]##\r##\r[y]##";
    const std::optional<std::size_t> none;
    const LookUpCase cases[] = {
        {"caret at 0", abc, 0, none, none},
        {"between the two #", abc, 1, 0, none},
        {"after the second #", abc, 2, 0, 6},
        {"before a", abc, 3, 0, 6},
        {"in the text", abc, 5, 0, 6},
        {"before ]", abc, 6, 0, 6},
        {"after ]", abc, 7, none, 6},
        {"inside the closing marker", abc, 8, none, none},
        {"at the end", abc, 9, none, none},
        {"past the end", abc, 40, none, none},
        {"after c in nested blocks", nested, 14, none, 14},
        {"after b in nested blocks", nested, 9, 5, 9},
        {"over a line break", lines, 9, 2, 12},
        {"marker broken by a line break", lines, 19, none, 21},
        {"empty note", u"", 0, none, none},
        {"shorter than a marker", u"#[", 2, none, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindBlockStart(c.text, c.caret), c.start) << c.name;
        EXPECT_EQ(FindBlockEnd(c.text, c.caret), c.end) << c.name;
        EXPECT_EQ(findCommentBlock(c.text, c.caret).has_value(), c.start && c.end) << c.name;
    }
}

TEST(CommentBrackets, SelectsTheBlockWithOrWithoutItsMarkers) {
    const auto abc = findCommentBlock(u"##[abc]##", 4);
    ASSERT_TRUE(abc);
    EXPECT_EQ(abc->textOnly(), (TextRange{3, 3}));
    EXPECT_EQ(abc->withMarkers(), (TextRange{0, 9}));

    const auto empty = findCommentBlock(u"##[]## rest", 3);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->textOnly(), (TextRange{3, 0}));

    const std::u16string note = u"plain\r##[first\rsecond]##";
    const auto lines = findCommentBlock(note, 12);
    ASSERT_TRUE(lines);
    EXPECT_EQ(note.substr(lines->textOnly().start, lines->textOnly().length), u"first\rsecond");
}

TEST(CommentEdit, WrapsAndUnwrapsASelection) {
    const CommentWrap empty = wrapInComment(u"");
    EXPECT_EQ(empty.text, u"##[]##");
    EXPECT_EQ(empty.caretOffset, 3u);
    const CommentWrap abc = wrapInComment(u"abc");
    EXPECT_EQ(abc.text, u"##[abc]##");
    EXPECT_EQ(abc.caretOffset, 6u);

    EXPECT_EQ(unwrapComment(u"##[abc]##"), u"abc");
    EXPECT_EQ(unwrapComment(u"##[]##"), u"");
    EXPECT_EQ(unwrapComment(u"xyzabcuvw"), u"abc"); // whatever the three are
    EXPECT_EQ(unwrapComment(u"##[]#"), u"");
}

TEST(CommentEdit, OffersWrapAndUnwrapByTheEndsOfTheSelection) {
    struct Case {
        std::u16string selected;
        bool comment, uncomment;
    };
    const Case cases[] = {
        {u"##[abc]##", false, true}, {u"##[]##", false, true},  {u"abc", true, false},
        {u"", true, false},          {u"##[abc", false, false}, {u"abc]##", false, false},
        {u"]##", false, false},      {u"##[", false, false},    {u"#", true, false},
    };
    for (const auto& c : cases) {
        const std::string name(c.selected.begin(), c.selected.end());
        EXPECT_EQ(canComment(c.selected), c.comment) << name;
        EXPECT_EQ(canUncomment(c.selected), c.uncomment) << name;
    }
}
