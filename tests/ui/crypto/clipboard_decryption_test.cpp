// Decryption into the clipboard: the secret stays there for the countdown,
// then the earlier text comes back; the note does not change.
#include "crypto_fixture.h"

#include "crypto/clipboard_countdown.h"
#include "crypto/secret_clipboard_win.h"
#include "win/wide_win.h"

#include <future>
#include <thread>

using namespace quivra;
using namespace quivra::test;

namespace {

using Countdown = crypto::ClipboardCountdown;

// Another program's hold on the clipboard: a thread of its own opens it and
// keeps it open until released.
class ClipboardHeldElsewhere {
  public:
    ClipboardHeldElsewhere() {
        std::promise<bool> opened;
        auto openedFuture = opened.get_future();
        holder_ = std::thread([this, &opened] {
            const bool open = OpenClipboard(nullptr) != FALSE;
            opened.set_value(open);
            released_.get_future().wait();
            if (open)
                CloseClipboard();
        });
        EXPECT_TRUE(openedFuture.get());
    }
    ~ClipboardHeldElsewhere() { release(); }
    void release() {
        if (!holder_.joinable())
            return;
        released_.set_value();
        holder_.join();
    }

  private:
    std::promise<void> released_;
    std::thread holder_;
};

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
        form->notes().store().ImmSaveClick();
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
        SendMessageW(form->hwnd(), WM_COMMAND, crypto::DeCrBuf, 0);
        typeInto(crypto::ID_ECEDIT, u"пароль");
        clickOk();
    }
    void runOut() {
        for (int i = 0; i < crypto::ClipboardCountdown::kSteps; ++i)
            crypto().clipboardDecryption().TPTimerTimer();
    }
    // The window says the clipboard is busy, in place of the bar, at the
    // bottom right of the work area.
    void expectBusyNotice() {
        auto& timer = crypto().clipboardDecryption().timerForm();
        EXPECT_TRUE(timer.showing());
        EXPECT_FALSE(timer.barShowing());
        EXPECT_EQ(timer.labelText(), win::toWide(Countdown::kBusyNotice));
        RECT work, wr;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(timer.hwnd(), &wr);
        EXPECT_EQ(wr.right, work.right - work.left);
        EXPECT_EQ(wr.top, work.bottom - work.top - Countdown::kBusySize.height);
    }
    void expectEarlierTextBack() {
        EXPECT_EQ(clipboardText(), std::u16string(u"прежний текст"));
        EXPECT_FALSE(crypto().clipboardDecryption().countdownRunning());
        EXPECT_FALSE(crypto().clipboardDecryption().timerForm().showing());
    }
    // The timer's messages, for at most `ms` while the countdown runs.
    void pumpWhileRunning(DWORD ms) {
        const DWORD started = GetTickCount();
        while (crypto().clipboardDecryption().countdownRunning() && GetTickCount() - started < ms) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            pumpMessages();
        }
    }
    void callWindowIn() {
        auto& presenter = form->presenter();
        if (form->state().isShown)
            presenter.HideButtonClick();
        presenter.TrayIconClick();
        presenter.runPendingSlides();
        ASSERT_TRUE(form->state().isShown);
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
    EXPECT_FALSE(form->cipher().hasBackup()); // no view: nothing to return to
    auto& timer = crypto().clipboardDecryption().timerForm();
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
    clickMenu(crypto::DeCr); // state 1: returns the cipher
    EXPECT_EQ(form->state().decryptState, 0);
    decryptIntoClipboard();
    EXPECT_TRUE(panel().shown()); // Ok did nothing
    note().focus();

    for (int i = 0; i < 399; ++i)
        crypto().clipboardDecryption().TPTimerTimer();
    EXPECT_EQ(timer.barPosition(), 1);
    EXPECT_EQ(clipboardText(), std::u16string(u"секрет"));
    crypto().clipboardDecryption().TPTimerTimer();
    EXPECT_EQ(clipboardText(), std::u16string(u"прежний текст"));
    EXPECT_FALSE(timer.showing());
    EXPECT_FALSE(crypto().clipboardDecryption().countdownRunning());
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
    pumpWhileRunning(15000);
    const DWORD took = GetTickCount() - started;
    EXPECT_FALSE(crypto().clipboardDecryption().countdownRunning());
    EXPECT_GE(took, 3000u);
    EXPECT_LE(took, 8000u);
    EXPECT_EQ(clipboardText(), std::u16string(u"прежний текст"));
}

// The clipboard is held across the end and through a whole round of tries;
// freed then, it gets the earlier text back at the next occasion.
TEST_F(ClipboardDecryption, ABusyClipboardLeftAfterARoundOfTriesIsTriedAgainLater) {
    for (const bool calledIn : {true, false}) { // else the session ends
        SCOPED_TRACE(calledIn ? "window called in" : "session ends");
        if (form->state().decryptState == 1)
            clickMenu(crypto::DeCr); // the note back to its cipher
        putOnClipboard(u"прежний текст");
        decryptIntoClipboard();
        ClipboardHeldElsewhere held;
        runOut();
        EXPECT_EQ(crypto().clipboardDecryption().countdown().stage(), Countdown::Stage::Retrying);
        expectBusyNotice();
        for (int i = 0; i < Countdown::kTriesPerRound; ++i)
            crypto().clipboardDecryption().TPTimerTimer();
        EXPECT_EQ(crypto().clipboardDecryption().countdown().stage(), Countdown::Stage::Resting);
        held.release();
        crypto().clipboardDecryption().TPTimerTimer(); // the round is over: the timer rests
        EXPECT_EQ(clipboardText(), std::u16string(u"секрет"));
        expectBusyNotice();
        if (calledIn)
            callWindowIn();
        else
            SendMessageW(form->hwnd(), WM_QUERYENDSESSION, 0, 0);
        expectEarlierTextBack();
    }
}

TEST_F(ClipboardDecryption, TheTimerRetriesABusyClipboardUntilItIsFreed) {
    putOnClipboard(u"прежний текст");
    decryptIntoClipboard();
    ClipboardHeldElsewhere held;
    for (int i = 1; i < Countdown::kSteps; ++i)
        crypto().clipboardDecryption().TPTimerTimer();
    pumpWhileRunning(600); // the last step and the tries come from the timer
    EXPECT_EQ(crypto().clipboardDecryption().countdown().stage(), Countdown::Stage::Retrying);
    expectBusyNotice();
    held.release();
    pumpWhileRunning(1000);
    expectEarlierTextBack();
}
