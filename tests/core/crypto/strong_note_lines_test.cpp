#include <gtest/gtest.h>

#include "crypto/cipher.h"
#include "crypto/strong_note_lines.h"

#include <string>
#include <vector>

using namespace quivra::crypto;

namespace {

using Lines = std::vector<std::u16string>;

const KeySet kKeys{761444360058313646, 1264319126, -116950129576433878, 1654661791545695610,
                   1654661791545695710};

Lines applied(Lines lines, const std::vector<LineChange>& changes) {
    for (const auto& c : changes)
        lines[c.index] = c.text;
    return lines;
}

std::vector<std::size_t> indices(const std::vector<LineChange>& changes) {
    std::vector<std::size_t> out;
    for (const auto& c : changes)
        out.push_back(c.index);
    return out;
}

} // namespace

TEST(StrongNoteLines, EncryptsEachLineOutsideCommentsIntoOneToken) {
    const Lines note{u"первая", u"", u"##[ открыто", u"видно", u"]##", u"\xD800 последняя"};
    StrongKeys keys(u"пароль", 1);
    const auto changes = encryptNoteLinesStrong(note, keys);
    EXPECT_EQ(indices(changes), (std::vector<std::size_t>{0, 5})); // empty lines stay empty
    EXPECT_EQ(changes[1].start, 6u + 1 + 0 + 1 + 11 + 1 + 5 + 1 + 3 + 1);
    for (const auto& c : changes)
        EXPECT_TRUE(isStrongToken(c.text));
    EXPECT_EQ(keys.derivations(), 1u);

    StrongKeys again(u"пароль", 1);
    const NoteLinesPlan back = decryptNoteLines(applied(note, changes), kKeys, again);
    EXPECT_EQ(applied(applied(note, changes), back.changes), note);
    EXPECT_TRUE(back.left.empty());
    EXPECT_TRUE(back.failed.empty());
}

TEST(StrongNoteLines, DecryptsEachLineByItsKind) {
    StrongKeys mine(u"пароль", 1);
    StrongKeys others(u"чужой пароль", 1);
    const std::u16string compatible = EncryptText(u"старый шифр", kKeys);
    const std::u16string token = encryptStrongText(mine, u"новый шифр");
    const std::u16string foreign = encryptStrongText(others, u"не мой");
    std::u16string damaged = token;
    damaged[45] = damaged[45] == u'A' ? u'B' : u'A'; // in the cipher text
    const std::u16string selection = encryptStrongText(mine, u"две\rстроки");

    const Lines note{compatible,          token,    u"", foreign, u"##[", token, u"]##", damaged,
                     u"QV1: not a token", selection};
    StrongKeys keys(u"пароль", 1);
    const NoteLinesPlan plan = decryptNoteLines(note, kKeys, keys);

    const Lines expected{u"старый шифр", u"новый шифр", u"",
                         foreign,        u"##[",        token,
                         u"]##",         damaged,       DecryptText(u"QV1: not a token", kKeys),
                         u"две\rстроки"};
    EXPECT_EQ(applied(note, plan.changes), expected);
    EXPECT_EQ(plan.failed, (std::vector<std::size_t>{3, 7})); // wrong password, damaged
    EXPECT_TRUE(plan.left.empty());
    EXPECT_EQ(keys.derivations(), 2u); // the note's salt and the foreign one
}
