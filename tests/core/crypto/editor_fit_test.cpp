#include <gtest/gtest.h>

#include "crypto/cipher.h"
#include "crypto/command_rules.h"
#include "crypto/editor_fit.h"
#include "crypto/text_fingerprint.h"

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
