#include <gtest/gtest.h>

#include "base/errors.h"
#include "search/find_steps.h"
#include "search/result_lines.h"

#include <string>

using namespace quivra::search;

namespace {

// Paragraphs at 0-9, 11 (empty) and 12-20.
const std::u16string kNote = u"Abc ДОМ ab\r\rдомик abc\r";

} // namespace

TEST(NoteSearch, PositionsAreTheEditorsWithOneCharacterPerParagraphBreak) {
    const NoteText note(kNote);
    ASSERT_EQ(note.lines().size(), 3u);
    struct Case {
        std::u16string_view text;
        long start;
        std::optional<long> found;
    } cases[] = {
        {u"abc", 0, 0},   {u"abc", 1, 18},  {u"дом", 0, 4},     {u"ДоМиК", 0, 12},
        {u"ab", 9, 18},   {u"abc", 19, {}}, {u"", 0, {}},       {u"abc", 999, {}},
        {u"abc", -1, {}}, {u"b\r", 0, {}},  {u"ab  дом", 0, 8}, // the spaces stand for breaks
    };
    for (const auto& c : cases)
        EXPECT_EQ(note.find(c.text, c.start), c.found) << c.start;
    for (long n : {1L, 2L, 3L})
        EXPECT_EQ(kNote.substr(note.lineSelection(n)->start, note.lineSelection(n)->length),
                  note.lines()[n - 1]);
    EXPECT_EQ(note.lineSelection(2), (Selection{11, 0}));
    EXPECT_FALSE(note.lineSelection(0));
    EXPECT_FALSE(note.lineSelection(4));
}

TEST(NoteSearch, LongLinesAreSearchedWhole) {
    // A hit far past the first 4096 characters of one line, and one more line.
    std::u16string text(6000, u'x');
    text.replace(5000, 4, u"Цель");
    text += u"\rцель";
    const NoteText note(text);
    EXPECT_EQ(note.find(u"ЦЕЛЬ", 0), 5000);
    EXPECT_EQ(note.find(u"цель", 5001), 6001);
    EXPECT_EQ(resultLines(note, u"цель").size(), 2u);
}

TEST(NoteSearch, SearchWhileTypingSelectsTheFirstHitOrCollapses) {
    const NoteText note(kNote);
    auto step = searchWhileTyping(note, u"ДОМ");
    EXPECT_EQ(step.change, SelectionChange::Set);
    EXPECT_EQ(step.selection, (Selection{4, 3}));
    EXPECT_EQ(step.findNextStart, 8);
    step = searchWhileTyping(note, u"нет");
    EXPECT_EQ(step.change, SelectionChange::Collapse);
    EXPECT_EQ(step.findNextStart, 0);

    EXPECT_FALSE(isSearchText(u""));
    EXPECT_FALSE(isSearchText(u"Поиск"));
    EXPECT_TRUE(isSearchText(u"поиск"));
    EXPECT_TRUE(isSearchText(u" "));
}

TEST(NoteSearch, EnterWalksTheHitsAndWrapsAround) {
    const NoteText note(kNote);
    // "ab" occurs at 0, 8 and 18; each Enter starts one beyond the selection.
    Selection sel{};
    std::vector<long> visited;
    for (int i = 0; i < 4; ++i) {
        const auto step = findNext(note, u"AB", sel);
        ASSERT_EQ(step.change, SelectionChange::Set);
        sel = step.selection;
        visited.push_back(sel.start);
    }
    EXPECT_EQ(visited, (std::vector<long>{0, 8, 18, 0}));

    // Adjacent hits: the one right after a hit is passed over.
    const NoteText abab(u"abab");
    auto step = findNext(abab, u"ab", {0, 2});
    EXPECT_EQ(step.selection, (Selection{0, 2}));
    EXPECT_EQ(step.findNextStart, 0);

    // Nothing from the top leaves the selection; nothing after a wrap leaves
    // the caret at the start of the note.
    step = findNext(note, u"нет", {5, 0});
    EXPECT_EQ(step.change, SelectionChange::Keep);
    step = findNext(note, u"нет", {5, 2});
    EXPECT_EQ(step.change, SelectionChange::Set);
    EXPECT_EQ(step.selection, (Selection{0, 0}));
}

TEST(NoteSearch, LineFilterListsNumberedLinesAndJumpsBack) {
    const NoteText note(u"первая строка\rвторая\r\rТретья СТРОКА\r");
    const auto listed = resultLines(note, u"строка");
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"<1> первая строка", u"<4> Третья СТРОКА"}));
    EXPECT_TRUE(resultLines(note, u"").empty());
    // A space at the end matches in the joined text but in no line's own text.
    EXPECT_TRUE(note.find(u"вторая ", 0));
    EXPECT_TRUE(resultLines(note, u"вторая ").empty());

    EXPECT_EQ(jumpTarget(note, listed[1]), (Selection{22, 13}));
    EXPECT_EQ(jumpTarget(note, u"<2> что угодно"), (Selection{14, 6}));
    EXPECT_FALSE(jumpTarget(note, u""));
    EXPECT_FALSE(jumpTarget(note, u"<9> пропала"));
    EXPECT_FALSE(jumpTarget(NoteText(u""), u"<1> x"));
}

TEST(NoteSearch, UnreadableLineNumbersRaiseTheIntegerError) {
    struct Case {
        std::u16string_view line, shown;
    } cases[] = {
        {u"продолжение строки", u""}, // a wrapped line's continuation
        {u"<1x> a", u"1x"},
        {u"a > b <3>", u""}, // '>' before '<'
        {u"до >", u"до "},
    };
    for (const auto& c : cases) {
        try {
            resultLineNumber(c.line);
            ADD_FAILURE() << "no error";
        } catch (const quivra::base::UserError& e) {
            EXPECT_EQ(e.text(), u"'" + std::u16string(c.shown) + u"' is not a valid integer value");
        }
    }
    EXPECT_EQ(resultLineNumber(u"<12> a <b> c"), 12);
}
