#include <gtest/gtest.h>

#include "crypto/cipher.h"
#include "crypto/command_rules.h"
#include "crypto/editor_fit.h"
#include "crypto/key_derivation.h"
#include "crypto/text_fingerprint.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::crypto;

namespace {

const KeySet kKeys{761444360058313646, 1264319126, -116950129576433878, 1654661791545695610,
                   1654661791545695710};

// A plain text of `length` code units whose cipher under kKeys holds the
// code unit `bad` at position 0: the cipher is an XOR, so put bad ^ mask there.
std::u16string plainWhoseCipherStartsWith(char16_t bad, std::size_t length) {
    std::u16string zeros(length, u'x');
    const std::u16string c = EncryptText(zeros, kKeys);
    std::u16string plain = zeros;
    plain[0] = static_cast<char16_t>(u'x' ^ c[0] ^ bad);
    return plain;
}

// A line of `length` code units whose cipher holds a NUL at each length from
// `length` to `length + blocked - 1`: position j is set so that its cipher
// is 0 once j spaces are added.
std::u16string plainBlockedForLengths(std::size_t length, std::size_t blocked) {
    std::u16string plain(length, u'x');
    for (std::size_t j = 0; j < blocked; ++j)
        plain[j] = EncryptText(std::u16string(length + j, u'\0'), kKeys)[j];
    return plain;
}

std::u16string randomLine(std::mt19937& rng) {
    static const std::u16string letters = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя ABCxyz0123.,";
    std::u16string line(5 + rng() % 60, u' ');
    for (auto& c : line)
        c = letters[rng() % letters.size()];
    return line;
}

} // namespace

TEST(EditorFit, CodeUnitsTheEditorCannotHold) {
    EXPECT_TRUE(editorKeepsLineText(u"обычный текст \t\v\xD800\xDFFF\xFFFF"));
    for (char16_t bad : {u'\0', u'\n', u'\r'}) {
        const std::u16string text = std::u16string(u"ab") + bad + u"cd";
        EXPECT_FALSE(editorKeepsLineText(text)) << int(bad);
    }
    // Decrypted selections may span lines.
    EXPECT_TRUE(editorKeepsSelectionText(u"first\rsecond"));
    EXPECT_FALSE(editorKeepsSelectionText(u"first\nsecond"));
    EXPECT_FALSE(editorKeepsSelectionText(std::u16string(u"a\0b", 3)));
}

TEST(EditorFit, WholeNotePlanLeavesLinesWhoseNewTextWouldNotBeKept) {
    const std::vector<std::u16string> lines{
        u"plain one", plainWhoseCipherStartsWith(u'\r', 9), u"",         u"##[", u"secret kept",
        u"]##",       plainWhoseCipherStartsWith(u'\0', 5), u"plain two"};
    const NoteLinesPlan plan = planNoteLines(lines, kKeys, CipherDirection::Encrypt);
    std::vector<std::size_t> changed;
    for (const auto& c : plan.changes) {
        changed.push_back(c.index);
        EXPECT_TRUE(editorKeepsLineText(c.text));
        EXPECT_EQ(c.text, EncryptText(lines[c.index], kKeys));
    }
    EXPECT_EQ(changed, (std::vector<std::size_t>{0, 7})); // the empty line needs no change
    EXPECT_EQ(plan.left, (std::vector<std::size_t>{1, 6}));
    // Positions are those of the whole text: each line and one break.
    EXPECT_EQ(plan.changes[1].start, 9u + 1 + 9 + 1 + 0 + 1 + 3 + 1 + 11 + 1 + 3 + 1 + 5 + 1);
}

TEST(EditorFit, LeftLinesAreNamedFromOne) {
    EXPECT_EQ(leftLinesMessage(CipherDirection::Encrypt, {2}),
              u"Зашифровка: строка 3 оставлена открытой: её шифр содержал бы символы, которые "
              u"заметка не может хранить.");
    std::vector<std::size_t> many;
    for (std::size_t i = 0; i < 13; ++i)
        many.push_back(i * 2);
    const std::u16string text = leftLinesMessage(CipherDirection::Decrypt, many);
    EXPECT_EQ(text.rfind(u"Расшифровка: строки 1, 3, 5, 7, 9, 11, 13, 15, 17, 19 и ещё 3 не "
                         u"расшифрованы",
                         0),
              0u);
}

TEST(EditorFit, SpacesAreAddedUntilTheEditorKeepsTheCipher) {
    struct Case {
        std::size_t blocked;
        std::optional<std::size_t> spaces; // none: refused
    };
    const Case cases[] = {{0, 0}, {1, 1}, {3, 3}, {16, 16}, {17, std::nullopt}};
    for (const auto& c : cases) {
        const std::u16string plain = plainBlockedForLengths(40, c.blocked);
        const auto kept = encryptForEditor(plain, kKeys);
        ASSERT_EQ(kept.has_value(), c.spaces.has_value()) << c.blocked;
        if (!kept)
            continue;
        EXPECT_EQ(kept->spaces, *c.spaces) << c.blocked;
        EXPECT_TRUE(editorKeepsLineText(kept->text)) << c.blocked;
        EXPECT_EQ(DecryptText(kept->text, kKeys), plain + std::u16string(*c.spaces, u' '))
            << c.blocked;
    }
}

TEST(EditorFit, OrdinaryLinesThatNeedSpacesGetThem) {
    // The masks depend only on the password and the length, so the search
    // draws passwords as well as lines.
    std::mt19937 rng(2024);
    std::u16string line;
    std::optional<KeySet> keys;
    for (int tries = 0; tries < 100'000 && !keys; ++tries) {
        const KeySet k = DeriveKeySet(randomLine(rng), base::portableTextServices());
        std::u16string candidate = randomLine(rng);
        if (!editorKeepsLineText(EncryptText(candidate, k))) {
            line = candidate;
            keys = k;
        }
    }
    ASSERT_TRUE(keys) << "no line needed spaces";
    const auto kept = encryptForEditor(line, *keys);
    ASSERT_TRUE(kept);
    EXPECT_GE(kept->spaces, 1u);
    EXPECT_TRUE(editorKeepsLineText(kept->text));
    EXPECT_EQ(DecryptText(kept->text, *keys), line + std::u16string(kept->spaces, u' '));
}

TEST(EditorFit, WholeNoteEncryptionPadsLinesOrChangesNothing) {
    const std::u16string needsTwo = plainBlockedForLengths(40, 2);
    const std::vector<std::u16string> lines{
        u"обычная строка", needsTwo, u"", u"##[", plainBlockedForLengths(40, 17), u"]##", u"конец"};
    const CompatibleEncryptionPlan plan = planCompatibleEncryption(lines, kKeys);
    EXPECT_FALSE(plan.refusedLine);
    EXPECT_EQ(plan.paddedLines, 1u);
    std::vector<std::size_t> changed;
    for (const auto& c : plan.changes) {
        changed.push_back(c.index);
        EXPECT_TRUE(editorKeepsLineText(c.text)) << c.index;
    }
    EXPECT_EQ(changed, (std::vector<std::size_t>{0, 1, 6}));
    EXPECT_EQ(DecryptText(plan.changes[0].text, kKeys), lines[0]);
    EXPECT_EQ(DecryptText(plan.changes[1].text, kKeys), needsTwo + u"  ");

    // The same line outside the comment block cannot be kept at all.
    std::vector<std::u16string> refused = lines;
    refused[3] = u"открыто";
    const CompatibleEncryptionPlan none = planCompatibleEncryption(refused, kKeys);
    EXPECT_EQ(none.refusedLine, 4u);
    EXPECT_TRUE(none.changes.empty());
    EXPECT_EQ(none.paddedLines, 0u);
}

TEST(CommandRules, EncryptionCommandsFollowTheirFacts) {
    program::RefreshFacts f;
    f.editorEnabled = true;
    f.selectionEmpty = true;
    EXPECT_TRUE(encryptEnabled(f));
    EXPECT_TRUE(decryptEnabled(f));
    EXPECT_FALSE(decryptToClipboardEnabled(f)); // nothing selected
    f.selectionEmpty = false;
    EXPECT_TRUE(decryptToClipboardEnabled(f));

    struct Case {
        const char* name;
        void (*change)(program::RefreshFacts&);
        bool encrypt, decrypt, toClipboard;
    };
    const Case cases[] = {
        {"no note", [](auto& f) { f.editorEnabled = false; }, false, false, false},
        {"marker", [](auto& f) { f.selectionHasCommentMarker = true; }, false, false, false},
        {"word wrap", [](auto& f) { f.wordWrap = true; }, false, false, true},
        {"read-only", [](auto& f) { f.readOnly = true; }, false, true, true},
    };
    for (const auto& c : cases) {
        program::RefreshFacts g = f;
        c.change(g);
        EXPECT_EQ(encryptEnabled(g), c.encrypt) << c.name;
        EXPECT_EQ(decryptEnabled(g), c.decrypt) << c.name;
        EXPECT_EQ(decryptToClipboardEnabled(g), c.toClipboard) << c.name;
    }
}

TEST(TextFingerprint, TellsTextsApart) {
    EXPECT_EQ(textFingerprint(u"секрет"), textFingerprint(u"секрет"));
    EXPECT_NE(textFingerprint(u"секрет"), textFingerprint(u"секреТ"));
    EXPECT_NE(textFingerprint(u"\x0102"), textFingerprint(u"\x0201"));
    EXPECT_NE(textFingerprint(u""), textFingerprint(std::u16string(1, u'\0')));
}
