// A decryption is a view: leaving the note or quitting puts the cipher back
// before anything is written, so the note's file never holds decrypted text.
#include "crypto_fixture.h"

using namespace quivra;
using namespace quivra::test;

namespace {

class DecryptedView : public CryptoFixture {
  protected:
    // A note A whose file holds the cipher of "секрет" and "ещё", decrypted
    // in the editor and then edited.
    void decryptAndEdit(bool wholeNote) {
        setText(u"секрет\rещё\r");
        encrypt(u"пароль");
        form->notes().store().ImmSaveClick();
        encrypted = readFile(noteFile(L"A"));
        cipherText = editorText();
        if (!wholeNote)
            select(0, 6);
        decrypt(u"пароль");
        ASSERT_EQ(lines()[0], u"секрет");
        select(0, 0);
        type(L"!");
        ASSERT_TRUE(note().modified());
    }
    bool fileHoldsPlainText() {
        const std::u16string saved = savedText(L"A");
        return saved.find(u"секрет") != std::u16string::npos;
    }
    std::string encrypted;
    std::u16string cipherText;
};

} // namespace

// What was typed into the view ("!" at the start of "секрет") is encrypted
// again, never written plain, and comes back with the next decryption.
TEST_F(DecryptedView, SwitchingNotesReturnsTheCipherWithTheTypedTextEncrypted) {
    for (bool wholeNote : {false, true}) {
        SCOPED_TRACE(wholeNote);
        decryptAndEdit(wholeNote);
        choose(L"B");
        EXPECT_FALSE(fileHoldsPlainText());
        EXPECT_EQ(savedText(L"A").find(u"!"), std::u16string::npos);
        EXPECT_FALSE(form->cipher().hasBackup());
        EXPECT_EQ(form->state().decryptState, 0);
        EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
        choose(L"A");
        EXPECT_EQ(lines()[1], document::splitLines(cipherText)[1]); // untouched: as it was
        select(0, wholeNote ? 0 : 7);
        decrypt(u"пароль");
        EXPECT_EQ(lines()[0], u"!секрет");
    }
}

TEST_F(DecryptedView, FocusLossKeepsTheDecryptedTextOffTheDisk) {
    decryptAndEdit(true);
    SetFocus(form->notes().lists().listBox()); // the editor loses the focus
    EXPECT_EQ(readFile(noteFile(L"A")), encrypted);
    EXPECT_TRUE(form->cipher().hasBackup());
}

TEST_F(DecryptedView, QuitReturnsTheCipherBeforeSaving) {
    for (bool wholeNote : {false, true}) {
        SCOPED_TRACE(wholeNote);
        decryptAndEdit(wholeNote);
        SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(form->hwnd(), nullptr);
        EXPECT_FALSE(fileHoldsPlainText());
        form.reset();
        SetUp();
    }
}

// The save command asks: "Да" makes the decryption permanent, "Нет" writes
// the cipher and leaves the view as it is.
TEST_F(DecryptedView, SaveCommandAsksWhetherTheTextStaysPlain) {
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        decryptAndEdit(false);
        note().focus();
        folder.answers = {answer};
        form->notes().store().NMenu_SaveClick();
        ASSERT_FALSE(folder.boxes.empty());
        EXPECT_EQ(folder.boxes.back().text, L"Сохранить расшифрованный текст открытым?");
        EXPECT_EQ(fileHoldsPlainText(), answer == IDYES);
        EXPECT_EQ(form->cipher().hasBackup(), answer == IDNO);
        EXPECT_EQ(form->state().decryptState, answer == IDYES ? 0 : 1);
        EXPECT_EQ(lines()[0], u"!секрет"); // the view as it was
        form.reset();
        SetUp();
    }
}

TEST_F(DecryptedView, ReturnOfTheWholeNotesCipherGivesBackTheNoteAsItWas) {
    // The decryption reads the note's file when the editor holds what was
    // saved, and the editor's content after a change; a big note's content
    // is set aside in its control, a small one's copied. Every way, the
    // cipher comes back with its formats and modified flag, into the
    // editor's place as it is then (its size and wrap changed meanwhile).
    for (bool big : {false, true})
        for (bool changedSinceSaved : {false, true}) {
            SCOPED_TRACE(testing::Message() << "big " << big << ", changed " << changedSinceSaved);
            std::u16string text = u"первая строка\rвторая, длинная: " + std::u16string(300, u'ж') +
                                  u"\r##[ открыто ]##\r";
            for (int i = 0; big && i < 300; ++i)
                text += u"ещё строка\r";
            setText(text);
            setEffect(0, 6, CFM_BOLD | CFM_COLOR, CFE_BOLD, RGB(200, 0, 0));
            select(0, 0);
            encrypt(u"пароль");
            form->notes().store().ImmSaveClick();
            const HWND editor = note().hwnd();
            const HWND parent = GetParent(editor);
            const int id = GetDlgCtrlID(editor);

            // Opening the password panel saves in passing: a change made
            // after that is one the file does not hold.
            clickMenu(crypto::DeCr);
            if (changedSinceSaved)
                setEffect(0, 4, CFM_ITALIC, CFE_ITALIC);
            select(5, 5);
            const std::string before = note().rtf();
            const bool modifiedBefore = note().modified();
            typeInto(crypto::ID_ECEDIT, u"пароль");
            clickOk();
            ASSERT_EQ(lines()[0], u"первая строка");
            EXPECT_EQ(note().hwnd() != editor, big);
            select(3, 3);
            const CHARFORMAT2W format = note().charFormat();
            EXPECT_TRUE(format.dwEffects & CFE_BOLD); // the line's first format
            EXPECT_EQ((format.dwEffects & CFE_ITALIC) != 0, changedSinceSaved);
            note().setWordWrap(true);
            RECT r{};
            GetWindowRect(note().hwnd(), &r);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            MoveWindow(note().hwnd(), r.left, r.top, r.right - r.left - 40, r.bottom - r.top, TRUE);

            clickMenu(crypto::DeCr);
            EXPECT_EQ(note().hwnd(), editor);
            EXPECT_EQ(note().rtf(), before);
            EXPECT_EQ(note().modified(), modifiedBefore);
            EXPECT_EQ(note().selection(), (document::CharRange{3, 3})); // the view's caret
            EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
            EXPECT_FALSE(form->cipher().hasBackup());
            // In the editor's place, the only control there with its id, and
            // wrapping at its new width.
            EXPECT_EQ(GetDlgItem(parent, id), editor);
            EXPECT_TRUE(IsWindowVisible(editor));
            RECT now{};
            GetWindowRect(editor, &now);
            EXPECT_EQ(now.right - now.left, r.right - r.left - 40);
            EXPECT_GT(note().lineCount(), big ? 303 : 3);
            int editors = 0;
            for (HWND child = GetWindow(parent, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                editors += GetDlgCtrlID(child) == id;
            EXPECT_EQ(editors, 1);
            // What is typed now reaches the note through the program's
            // handlers.
            note().setWordWrap(false);
            MoveWindow(editor, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
            note().focus();
            select(5, 5);
            type(L"!");
            EXPECT_EQ(editorText().substr(5, 1), u"!");
            EXPECT_TRUE(note().modified());
            form->notes().store().ImmSaveClick();
        }
}

// The view's key lives as long as the view: once the cipher is back, the
// memory that held it (freed, and read at once) no longer holds the key.
TEST_F(DecryptedView, TheKeyIsWipedWhenTheViewEnds) {
    decryptAndEdit(true);
    const crypto::ViewKeys* keys = form->cipher().lastKeys();
    ASSERT_NE(keys, nullptr);
    std::vector<std::pair<const std::uint8_t*, std::vector<std::uint8_t>>> held;
    for (std::span<const std::uint8_t> bytes : keys->material())
        held.push_back({bytes.data(), {bytes.begin(), bytes.end()}});
    ASSERT_FALSE(held.empty());
    clickMenu(crypto::DeCr); // "Вернуть шифр"
    EXPECT_EQ(form->cipher().lastKeys(), nullptr);
    for (const auto& [at, key] : held)
        EXPECT_FALSE(std::equal(key.begin(), key.end(), at)) << "the key is still in memory";
}
