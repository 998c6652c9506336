#include "base/text_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using quivra::base::TextEdit;
using quivra::base::textEdits;

namespace {

std::u16string applied(std::u16string_view before, std::u16string_view after,
                       const std::vector<TextEdit>& edits) {
    std::u16string out;
    std::size_t at = 0;
    for (const TextEdit& e : edits) {
        out.append(before.substr(at, e.oldStart - at));
        out.append(after.substr(e.newStart, e.newEnd - e.newStart));
        at = e.oldEnd;
    }
    out.append(before.substr(at));
    return out;
}

} // namespace

TEST(TextDiff, EditsAreNarrowedToWhatChangedInEachLine) {
    const struct {
        std::u16string before, after;
        std::vector<TextEdit> edits;
    } cases[] = {
        {u"same\rtext", u"same\rtext", {}},
        {u"abc", u"abXc", {{2, 2, 2, 3}}},
        {u"one\rtwo\rthree", u"one\rthree", {{4, 8, 4, 4}}},
        // Two far lines edited: two edits, the lines between kept.
        {u"a1\rb\rc\rd\re5", u"aX1\rb\rc\rd\re5Y", {{1, 1, 1, 2}, {11, 11, 12, 13}}},
        // A line moved from the end to the front.
        {u"x\ry\rz\r", u"z\rx\ry\r", {{0, 0, 0, 2}, {4, 6, 6, 6}}},
        {u"", u"new", {{0, 0, 0, 3}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textEdits(c.before, c.after), c.edits);
}

// Random edits of a text of many lines: the edits found rebuild the new
// text, never touch each other, and lines nobody edited stay out of them;
// past the line limit one edit from the first to the last change remains.
TEST(TextDiff, RandomEditsRebuildTheTextAndStayLocal) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::u16string before;
        const int lines = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < lines; ++i)
            before += u"line " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u"\r";
        std::u16string after = before;
        const int changes = static_cast<int>(random() % 4);
        for (int c = 0; c < changes && !after.empty(); ++c) {
            const std::size_t at = random() % after.size();
            if (random() % 2)
                after.insert(at, u"ins\r");
            else
                after.erase(at, 1 + random() % 3);
        }
        const auto edits = textEdits(before, after);
        EXPECT_EQ(applied(before, after, edits), after);
        for (std::size_t i = 1; i < edits.size(); ++i)
            EXPECT_LT(edits[i - 1].oldEnd, edits[i].oldStart);
        const std::size_t changed = before.size() + after.size();
        std::size_t touched = 0;
        for (const TextEdit& e : edits)
            touched += (e.oldEnd - e.oldStart) + (e.newEnd - e.newStart);
        EXPECT_LE(touched, changed);
        if (changes <= 1) {
            EXPECT_LE(edits.size(), 1u);
        }
        const auto capped = textEdits(before, after, 0);
        EXPECT_EQ(applied(before, after, capped), after);
        EXPECT_LE(capped.size(), 1u);
    }
}
