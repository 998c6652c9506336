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
        form->notes().ImmSaveClick();
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

TEST_F(DecryptedView, SwitchingNotesReturnsTheCipherBeforeSaving) {
    for (bool wholeNote : {false, true}) {
        SCOPED_TRACE(wholeNote);
        decryptAndEdit(wholeNote);
        choose(L"B");
        EXPECT_FALSE(fileHoldsPlainText());
        EXPECT_EQ(savedText(L"A"), cipherText);
        EXPECT_FALSE(form->cipher().hasBackup());
        EXPECT_EQ(form->state().decryptState, 0);
        EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
        choose(L"A");
        EXPECT_EQ(editorText(), cipherText);
    }
}

TEST_F(DecryptedView, FocusLossKeepsTheDecryptedTextOffTheDisk) {
    decryptAndEdit(true);
    SetFocus(form->notes().listBox()); // the editor loses the focus
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

TEST_F(DecryptedView, SaveCommandMakesTheDecryptionPermanent) {
    decryptAndEdit(false);
    note().focus();
    form->notes().NMenu_SaveClick();
    EXPECT_TRUE(fileHoldsPlainText()); // the user asked for it
    EXPECT_FALSE(form->cipher().hasBackup());
    EXPECT_EQ(form->state().decryptState, 0);
    EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
}
