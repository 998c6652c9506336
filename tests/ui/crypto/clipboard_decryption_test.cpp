// Decryption into the clipboard: the secret stays there for the countdown,
// then the earlier text comes back; the note does not change.
#include "crypto_fixture.h"

#include "crypto/clipboard_countdown.h"
#include "crypto/secret_clipboard_win.h"

using namespace quivra;
using namespace quivra::test;

namespace {

class ClipboardDecryption : public CryptoFixture {
  protected:
    void SetUp() override {
        CryptoFixture::SetUp();
        setText(u"логин: ");
        select(7, 7);
        type(L"секрет");
        select(7, 13);
        encrypt(u"пароль");
        cipherLine = lines()[0];
        form->notes().ImmSaveClick();
        ASSERT_FALSE(note().modified());
    }
    void putOnClipboard(std::u16string_view text) {
        crypto::OpenClipboardForText(form->hwnd()).replace(text, false);
    }
    std::optional<std::u16string> clipboardText() {
        return crypto::OpenClipboardForText(form->hwnd()).text();
    }
    void decryptIntoClipboard() {
        select(7, 13);
        SendMessageW(form->hwnd(), WM_COMMAND, crypto::ID_DECRBUF, 0);
        typeInto(crypto::ID_ECEDIT, u"пароль");
        clickOk();
    }
    void runOut() {
        for (int i = 0; i < crypto::ClipboardCountdown::kSteps; ++i)
            crypto().TPTimerTimer();
    }
    std::u16string cipherLine;
};

} // namespace

TEST_F(ClipboardDecryption, SecretStaysForTheCountdownThenTheEarlierTextComesBack) {
    putOnClipboard(u"прежний текст");
    decryptIntoClipboard();
    EXPECT_EQ(clipboardText(), std::u16string(u"секрет"));
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(lines()[0], cipherLine); // the note is unchanged
    EXPECT_FALSE(note().modified());
    EXPECT_EQ(form->state().decryptState, 1);
    EXPECT_TRUE(form->cipher().hasBackup());
    auto& timer = crypto().timerForm();
    EXPECT_TRUE(timer.showing());
    EXPECT_EQ(timer.barPosition(), 400);
    RECT work, wr;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(timer.hwnd(), &wr);
    EXPECT_EQ(wr.left, work.right - work.left - 402);
    EXPECT_EQ(wr.top, work.bottom - work.top - 17);
    // The clipboard history and cloud clipboard are told to leave it alone.
    EXPECT_TRUE(
        IsClipboardFormatAvailable(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")));

    // A second decryption into the clipboard waits for the end.
    clickMenu(crypto::ID_DECR); // state 1: returns the cipher
    EXPECT_EQ(form->state().decryptState, 0);
    decryptIntoClipboard();
    EXPECT_TRUE(panel().shown()); // Ok did nothing
    note().focus();

    for (int i = 0; i < 399; ++i)
        crypto().TPTimerTimer();
    EXPECT_EQ(timer.barPosition(), 1);
    EXPECT_EQ(clipboardText(), std::u16string(u"секрет"));
    crypto().TPTimerTimer();
    EXPECT_EQ(clipboardText(), std::u16string(u"прежний текст"));
    EXPECT_FALSE(timer.showing());
    EXPECT_FALSE(crypto().countdownRunning());
}

TEST_F(ClipboardDecryption, SomethingCopiedMeanwhileIsLeftAlone) {
    putOnClipboard(u"прежний текст");
    decryptIntoClipboard();
    putOnClipboard(u"скопировано позже");
    runOut();
    EXPECT_EQ(clipboardText(), std::u16string(u"скопировано позже"));
}

TEST_F(ClipboardDecryption, NoEarlierTextLeavesAnEmptyText) {
    {
        crypto::OpenClipboardForText open(form->hwnd());
        EmptyClipboard();
    }
    decryptIntoClipboard();
    runOut();
    EXPECT_EQ(clipboardText(), std::u16string());
}

TEST_F(ClipboardDecryption, TheRealTimerRunsTheCountdownInAFewSeconds) {
    putOnClipboard(u"прежний текст");
    decryptIntoClipboard();
    const DWORD started = GetTickCount();
    while (crypto().countdownRunning() && GetTickCount() - started < 15000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        pumpMessages();
    }
    const DWORD took = GetTickCount() - started;
    EXPECT_FALSE(crypto().countdownRunning());
    EXPECT_GE(took, 3000u);
    EXPECT_LE(took, 8000u);
    EXPECT_EQ(clipboardText(), std::u16string(u"прежний текст"));
}
