// The strong cipher chosen on the settings page, notes that mix both ciphers,
// and the decrypted view put back by the window's own paths.
#include "crypto_fixture.h"

#include "crypto/editor_fit.h"
#include "crypto/strong_token.h"
#include "settings/settings_ids.h"
#include "win/wide_win.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;

namespace {

using Lines = std::vector<std::u16string>;

class StrongCipherCommands : public CryptoFixture {
  protected:
    void strongCipher(bool on) {
        form->settingsPage().optionBoxes().setBoxTicked(settings::ID_STRONGCIPHER, on);
    }
};

TEST_F(StrongCipherCommands, WholeNoteBecomesTokensThatOnlyTheRightPasswordOpens) {
    strongCipher(true);
    const Lines plain{u"пароль от почты: qwerty", u"", u"##[ открыто", u"тоже открыто ]##",
                      u"ещё секрет \U0001F511"};
    std::u16string text = plain[0];
    for (std::size_t i = 1; i < plain.size(); ++i)
        text += u"\r" + plain[i];
    setText(text);
    encrypt(u"пароль");
    const Lines cipher = lines();
    ASSERT_EQ(cipher.size(), plain.size());
    EXPECT_TRUE(crypto::isStrongToken(cipher[0]));
    EXPECT_EQ(cipher[1], u"");
    EXPECT_EQ(cipher[2], plain[2]); // comment blocks stay plain
    EXPECT_EQ(cipher[3], plain[3]);
    EXPECT_TRUE(crypto::isStrongToken(cipher[4]));
    EXPECT_FALSE(panel().shown());
    // The file the save writes holds no secret.
    form->notes().store().SaveIfModified();
    const std::u16string saved = savedText(L"A");
    EXPECT_EQ(saved.find(u"qwerty"), std::u16string::npos);
    EXPECT_EQ(saved.find(u"секрет"), std::u16string::npos);

    // A wrong password leaves every token and says so in red.
    decrypt(u"не тот");
    EXPECT_EQ(lines(), cipher);
    EXPECT_TRUE(panel().shown());
    EXPECT_EQ(panel().labelText(crypto::PanelLabel::Password),
              win::toWide(crypto::failedTokensMessage({0, 4})));
    EXPECT_TRUE(panel().labelRed(crypto::PanelLabel::Password));
    note().focus();

    // The right one gives every line back exactly.
    decrypt(u"пароль");
    EXPECT_EQ(lines(), plain);
    EXPECT_FALSE(panel().shown());
}

TEST_F(StrongCipherCommands, NoteMixingBothCiphersDecryptsEachLineByItsKind) {
    const auto keys = keysOf(u"пароль");
    crypto::StrongKeys strong(u"пароль");
    const std::u16string token = crypto::encryptStrongText(strong, u"из токена");
    setText(crypto::EncryptText(u"старый шифр", keys) + u"\r" + token + u"\r##[ комментарий ]##");
    decrypt(u"пароль");
    EXPECT_EQ(lines(), (Lines{u"старый шифр", u"из токена", u"##[ комментарий ]##"}));

    // A selection that is exactly a token is opened with the strong cipher.
    note().focus();
    form->crypto().cipherCommands().DeCrClick(); // the cipher comes back
    setText(u"до " + token + u" после");
    select(3, 3 + static_cast<long>(token.size()));
    decrypt(u"пароль");
    EXPECT_EQ(editorText(), u"до из токена после");
    EXPECT_EQ(note().selectedText(), u"из токена");
}

TEST_F(StrongCipherCommands, WindowPathsThatReturnTheCipherResetTheCommandAndTheChangedMark) {
    setText(u"до ЗАШИФРОВАНО после");
    form->notes().store().SaveIfModified();
    note().setModified(false);
    form->notes().view().sett_roClick(); // read-only: no save resets anything
    select(3, 14);
    decrypt(u"пароль");
    ASSERT_EQ(form->state().decryptState, 1);
    ASSERT_EQ(decryptCaption(), L"Вернуть шифр\tAlt+R");
    // The hotkey twice: shown, then hidden; the cipher is back either way.
    form->presenter().SummonOrDismiss();
    form->presenter().runPendingSlides();
    form->presenter().SummonOrDismiss();
    form->presenter().runPendingSlides();
    EXPECT_EQ(editorText(), u"до ЗАШИФРОВАНО после");
    EXPECT_EQ(form->state().decryptState, 0);
    EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
    EXPECT_FALSE(note().modified());
    form->presenter().PeriodicRefresh();
    EXPECT_FALSE(IsWindowVisible(form->notes().lists().changedMark()));
}

} // namespace
