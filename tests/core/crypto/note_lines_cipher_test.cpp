#include <gtest/gtest.h>

#include "crypto/cipher.h"
#include "crypto/note_lines_cipher.h"
#include "document/text_lines.h"

#include <string>
#include <vector>

using namespace quivra::crypto;

namespace {

using Lines = std::vector<std::u16string>;

const KeySet kKeys{761444360058313646, 1264319126, -116950129576433878, 1654661791545695610,
                   1654661791545695710};

} // namespace

TEST(NoteLinesCipher, LeavesCommentBlocksAlone) {
    struct Case {
        const char* name;
        Lines lines;
        std::vector<std::size_t> outside;
    };
    const Case cases[] = {
        {"block over five lines", {u"##[", u"1", u"2", u"3", u"]##", u"after"}, {5}},
        {"markers inside longer lines", {u"a ##[ b", u"c", u"d ]## e", u"f"}, {3}},
        {"closing marker alone", {u"text", u"]##", u"more"}, {0, 2}},
        {"block never closed", {u"a", u"##[ open", u"b", u"c"}, {0}},
        {"both markers on one line", {u"x ##[ y ]## z", u"after"}, {1}},
        {"closing before opening ends the block",
         {u"##[", u"]## ##[", u"in", u"]##", u"out"},
         {2, 4}},
        {"empty lines", {u"", u"plain", u""}, {0, 1, 2}},
        {"no lines", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesOutsideComments(c.lines), c.outside) << c.name;
}

TEST(NoteLinesCipher, CiphersEachLineOnItsOwnAtItsPlaceInTheNote) {
    const std::u16string note = u"Первая строка\r\r##[ открыто\rсекрет]##\rпоследняя";
    const Lines lines = quivra::document::splitLines(note);
    const auto changes = cipherNoteLines(lines, kKeys, CipherDirection::Encrypt);
    ASSERT_EQ(changes.size(), 3u);

    const std::size_t expectedIndex[] = {0, 1, 4};
    std::u16string encrypted = note;
    for (std::size_t k = 0; k < changes.size(); ++k) {
        const auto& c = changes[k];
        EXPECT_EQ(c.index, expectedIndex[k]);
        EXPECT_EQ(note.substr(c.start, lines[c.index].size()), lines[c.index]);
        EXPECT_EQ(c.text, EncryptText(lines[c.index], kKeys)); // positions from 1 on each line
        encrypted.replace(c.start, c.text.size(), c.text);
    }
    EXPECT_EQ(changes[1].text, u""); // an empty line stays empty

    // Decrypting the encrypted note line by line gives every line back. The
    // cipher text may hold '\r', so the lines are taken from the changes.
    Lines encryptedLines = lines;
    for (const auto& c : changes)
        encryptedLines[c.index] = c.text;
    Lines back = encryptedLines;
    for (const auto& c : cipherNoteLines(encryptedLines, kKeys, CipherDirection::Decrypt))
        back[c.index] = c.text;
    EXPECT_EQ(back, lines);
}

TEST(NoteLinesCipher, ReportsProgressFromLineZero) {
    EXPECT_EQ(lineProgressText(CipherDirection::Encrypt, 0, 12),
              u"Зашифровка... Обработка строки 0/12");
    EXPECT_EQ(lineProgressText(CipherDirection::Decrypt, 11, 12),
              u"Расшифровка... Обработка строки 11/12");
}
