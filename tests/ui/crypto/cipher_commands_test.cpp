// Encrypting and decrypting a selection or a whole note in the real editor:
// bit for bit, comment blocks left alone, the return of the cipher, and the
// lines whose cipher the note could not hold.
#include "crypto_fixture.h"

#include "common/crypto_vectors.h"
#include "crypto/editor_fit.h"
#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;

namespace {

using Lines = std::vector<std::u16string>;

// The code units of a text as \uN escapes in a note file, as earlier
// versions wrote characters the code page lacks.
std::string rtfEscaped(std::u16string_view text) {
    std::string out;
    for (char16_t u : text)
        out += "\\u" + std::to_string(static_cast<short>(u)) + "?";
    return out;
}

class CipherCommands : public CryptoFixture {};

} // namespace

TEST_F(CipherCommands, SelectionRoundTripsBitForBitAndReturnCipherRestoresTheFormatting) {
    setText(u"до тайна после");
    // A bold word inside the selection, to see the formatting come back.
    setEffect(3, 5, CFM_BOLD, CFE_BOLD);
    select(3, 8);
    encrypt(u"пароль");
    const std::u16string cipher = crypto::EncryptText(u"тайна", keysOf(u"пароль"));
    EXPECT_EQ(editorText(), u"до " + cipher + u" после");
    EXPECT_EQ(note().selection(), (document::CharRange{3, 8})); // the cipher is selected
    EXPECT_EQ(form->state().decryptState, 0);

    // A save and a load keep every code unit.
    form->notes().store().ImmSaveClick();
    EXPECT_EQ(savedText(L"A"), u"до " + cipher + u" после");
    const std::string encrypted = readFile(noteFile(L"A"));
    choose(L"B");
    choose(L"A");
    EXPECT_EQ(editorText(), u"до " + cipher + u" после");

    select(3, 8);
    decrypt(u"пароль");
    EXPECT_EQ(editorText(), u"до тайна после");
    EXPECT_TRUE(note().modified());
    EXPECT_EQ(decryptCaption(), L"Вернуть шифр\tAlt+R");
    EXPECT_EQ(form->state().decryptState, 1);

    // Alt+D does nothing now; Alt+R returns the cipher exactly.
    note().focus();
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::N11, 1), 0);
    EXPECT_FALSE(panel().shown());
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::N13, 1), 0);
    EXPECT_EQ(editorText(), u"до " + cipher + u" после");
    EXPECT_FALSE(note().modified());
    EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
    EXPECT_EQ(form->state().decryptState, 0);
    EXPECT_FALSE(form->cipher().hasBackup());
    form->notes().store().ImmSaveClick();
    EXPECT_EQ(readFile(noteFile(L"A")), encrypted);

    // A wrong password writes nonsense; the return of the cipher undoes it,
    // formatting included.
    select(3, 8);
    decrypt(u"не тот");
    EXPECT_NE(editorText(), u"до тайна после");
    clickMenu(crypto::DeCr);
    EXPECT_EQ(readFile(noteFile(L"A")), encrypted);
    EXPECT_EQ(note().rtf(), [&] {
        document::RichEdit probe;
        probe.create(form->hwnd(), 9998, RECT{0, 0, 10, 10});
        probe.setRtf(encrypted);
        return probe.rtf();
    }());
}

TEST_F(CipherCommands, WholeNoteLeavesCommentBlocksAndComesBackLineForLine) {
    const Lines plain{u"##[ комментарий",
                      u"строка 2",
                      u"",
                      u"строка 4",
                      u"]## конец",
                      u"первая",
                      u"",
                      u"]##",
                      u"последняя ##[ открыт",
                      u"внутри"};
    std::u16string text;
    for (const auto& l : plain)
        text += l + u"\r";
    setText(text);
    select(5, 5);
    encrypt(u"пароль");
    const auto keys = keysOf(u"пароль");
    Lines expected = plain;
    expected[5] = crypto::EncryptText(plain[5], keys);
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(note().selection(), (document::CharRange{5, 5})); // the caret stays
    EXPECT_TRUE(note().modified());

    decrypt(u"пароль");
    EXPECT_EQ(lines(), plain);
    EXPECT_FALSE(note().modified()); // the automatic saves keep the cipher
    EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
    EXPECT_EQ(form->state().decryptState, 1);
    // Alt+D does nothing, the item and Alt+R return the cipher.
    note().focus();
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::N11, 1), 0);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(lines(), plain);
    clickMenu(crypto::DeCr);
    EXPECT_EQ(lines(), expected);
}

TEST_F(CipherCommands, WholeNoteKeepsParagraphFormatsAndGivesEachLineOneFormat) {
    const Lines plain{u"first", u"second bold", u"third centred", u"##[ mixed ]##", u"fifth half"};
    std::u16string text;
    for (const auto& l : plain)
        text += l + u"\r";
    setText(text);
    const auto effect = [&](long from, long to, DWORD mask) {
        select(from, to);
        const CHARFORMAT2W f = note().charFormat();
        if (!(f.dwMask & mask))
            return -1; // mixed
        return (f.dwEffects & mask) ? 1 : 0;
    };
    setEffect(6, 17, CFM_BOLD, CFE_BOLD);      // the whole second line
    setEffect(36, 41, CFM_ITALIC, CFE_ITALIC); // "mixed" in the comment
    setEffect(51, 55, CFM_BOLD, CFE_BOLD);     // "half" of the last line
    select(20, 20);
    PARAFORMAT2 centred{};
    centred.cbSize = sizeof centred;
    centred.dwMask = PFM_ALIGNMENT;
    centred.wAlignment = PFA_CENTER;
    note().setParaFormat(centred);

    select(0, 0);
    encrypt(u"пароль");
    decrypt(u"пароль");
    EXPECT_EQ(lines(), plain);
    EXPECT_EQ(effect(0, 5, CFM_BOLD), 0);
    EXPECT_EQ(effect(6, 17, CFM_BOLD), 1);
    EXPECT_EQ(effect(36, 41, CFM_ITALIC), 1); // comment lines are never rewritten
    EXPECT_EQ(effect(32, 35, CFM_ITALIC), 0);
    EXPECT_EQ(effect(46, 56, CFM_BOLD), 0); // one format per line: its first character's
    for (long line : {0L, 6L, 18L, 32L, 46L}) {
        select(line, line);
        EXPECT_EQ(note().paraFormat().wAlignment, line == 18 ? PFA_CENTER : PFA_LEFT) << line;
    }
}

TEST_F(CipherCommands, NoteWrittenByEarlierVersionsDecryptsExactly) {
    // Cipher text of the known key set, with code units of every kind.
    const auto& vector = crypto::test::kKeySetVectors[1]; // "пароль"
    const std::u16string plainLine = u"Логин: user\x01\xD7FF, пин 1234 ☺";
    const std::u16string cipherLine = crypto::EncryptText(plainLine, vector.keys);
    ASSERT_TRUE(crypto::editorKeepsLineText(cipherLine));
    addNote(L"Old", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 " + rtfEscaped(cipherLine) +
                        "\\par " + rtfEscaped(u"##[ открыто ]##") + "\\par}");
    form->notes().EnumerateNotes();
    choose(L"Old");
    ASSERT_EQ(lines()[0], cipherLine);
    decrypt(vector.password);
    EXPECT_EQ(lines(), (Lines{plainLine, u"##[ открыто ]##"}));
}

TEST_F(CipherCommands, LineWhoseCipherTheNoteCannotHoldGetsATrailingSpaceAndComesBackWithIt) {
    const auto keys = keysOf(u"пароль");
    // The cipher is an XOR: choose the first code unit so that it ciphers to CR.
    const std::u16string pad(9, u'x');
    std::u16string bad = pad;
    bad[0] = static_cast<char16_t>(u'x' ^ crypto::EncryptText(pad, keys)[0] ^ u'\r');
    const auto kept = crypto::encryptForEditor(bad, keys);
    ASSERT_TRUE(kept && kept->spaces > 0);
    const std::u16string padded = bad + std::u16string(kept->spaces, u' ');

    setText(u"хорошая\r" + bad + u"\rещё одна");
    encrypt(u"пароль");
    EXPECT_EQ(lines(), (Lines{crypto::EncryptText(u"хорошая", keys), kept->text,
                              crypto::EncryptText(u"ещё одна", keys)}));
    // The panel says so, in the normal colour: nothing was left plain.
    EXPECT_TRUE(panel().shown());
    EXPECT_EQ(panel().labelText(crypto::PanelLabel::Password),
              win::toWide(crypto::paddedLinesMessage(1)));
    EXPECT_FALSE(panel().labelRed(crypto::PanelLabel::Password));
    note().focus();
    decrypt(u"пароль");
    EXPECT_EQ(lines(), (Lines{u"хорошая", padded, u"ещё одна"}));

    // The same text selected alone: its cipher, padded, is selected.
    setText(bad);
    select(0, static_cast<long>(bad.size()));
    encrypt(u"пароль");
    EXPECT_EQ(editorText(), kept->text);
    EXPECT_EQ(note().selectedText(), kept->text);
    note().focus();
    select(0, static_cast<long>(kept->text.size()));
    decrypt(u"пароль");
    EXPECT_EQ(editorText(), padded);
}

TEST_F(CipherCommands, SelectionHoldingAMarkerIsRefused) {
    setText(u"a ##[ b");
    select(0, 7);
    encrypt(u"пароль");
    EXPECT_EQ(editorText(), u"a ##[ b");
    EXPECT_EQ(panel().labelText(crypto::PanelLabel::Password),
              L"Зашифровка: В выделенном тексте присутствует символ комментария");
    EXPECT_TRUE(panel().labelRed(crypto::PanelLabel::Password));
    decrypt(u"пароль");
    EXPECT_EQ(editorText(), u"a ##[ b");
    EXPECT_EQ(panel().labelText(crypto::PanelLabel::Password),
              L"В выделенном тексте присутствует символ комментария");
    EXPECT_FALSE(panel().labelRed(crypto::PanelLabel::Password));
    EXPECT_EQ(form->state().decryptState, 0);
}

TEST_F(CipherCommands, RefreshEnablesTheItemsAndTheCommandsTestThem) {
    setText(u"plain ]## text");
    const auto enabled = [&](int id) {
        return !(GetMenuState(menu.get(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    };
    select(0, 9);
    form->presenter().PeriodicRefresh();
    EXPECT_FALSE(enabled(crypto::EnCr));
    EXPECT_FALSE(enabled(crypto::DeCr));
    EXPECT_FALSE(enabled(crypto::DeCrBuf));
    clickMenu(crypto::EnCr); // a disabled item does nothing
    EXPECT_FALSE(panel().shown());
    select(0, 5);
    form->presenter().PeriodicRefresh();
    EXPECT_TRUE(enabled(crypto::EnCr));
    EXPECT_TRUE(enabled(crypto::DeCrBuf));
    form->notes().view().sett_roClick(); // read-only: no encryption
    form->presenter().PeriodicRefresh();
    EXPECT_FALSE(enabled(crypto::EnCr));
    EXPECT_TRUE(enabled(crypto::DeCr));
    note().focus();
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::N10, 1), 0); // Alt+C
    EXPECT_FALSE(panel().shown());
    form->notes().view().sett_roClick();
    form->presenter().PeriodicRefresh();
    note().focus();
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::N10, 1), 0);
    EXPECT_TRUE(panel().shown());
    // The shortcuts act only while the editor has the focus.
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::N11, 1), 0);
    EXPECT_EQ(win::windowText(field(crypto::ID_ECCAP)), L"Зашифровка");

    // Before the additional menu is handed over the commands apply the rule.
    note().focus();
    crypto().setCommandMenu(nullptr);
    form->notes().view().sett_roClick();
    clickMenu(crypto::EnCr);
    EXPECT_FALSE(panel().shown());
    clickMenu(crypto::DeCr);
    EXPECT_TRUE(panel().shown());
}
