// The decryption into the clipboard: opening the panel for it, putting the
// secret on the clipboard with the earlier text kept aside, and the
// countdown that puts the earlier text back, unless the user has copied
// something else meanwhile. A put-back that finds the clipboard held by
// another program is tried again as the countdown's model says, without
// waiting on this thread, until the secret is gone.
#include "crypto/clipboard_decryption_win.h"

#include "base/errors.h"
#include "crypto/crypto_ids.h"
#include "crypto/secret_clipboard_win.h"
#include "crypto/secure_wipe.h"
#include "win/dpi_win.h"

#include <new>

namespace quivra::crypto {

ClipboardDecryption::~ClipboardDecryption() {
    try {
        takeSecretOffClipboard();
    } catch (...) {
    }
}

void ClipboardDecryption::DeCrBufClick() {
    if (!items_.itemEnabled(DeCrBuf))
        return;
    panel_.open(PasswordPanel::Use::DecryptToClipboard, note_.selection().length() != 0);
}

void ClipboardDecryption::H1Click() {
    if (note_.focused() && note_.selection().length() != 0)
        DeCrBufClick();
}

void ClipboardDecryption::decryptIntoClipboard(std::u16string& plain) {
    std::optional<std::u16string> earlier;
    try {
        OpenClipboardForText clipboard(mainWindow_);
        earlier = clipboard.text();
        clipboard.replace(plain, true);
    } catch (...) {
        // The note did not change: the editor and the panel come back as
        // they were before Ok.
        secureWipe(plain);
        ShowWindow(note_.hwnd(), SW_SHOW); // hidden while the command ran
        panel_.close();
        throw;
    }
    countdown_.start(std::move(earlier), plain);
    secureWipe(plain);
    panel_.close();
    // The countdown window is made the first time a countdown runs.
    if (!timerForm_.hwnd())
        timerForm_.create(static_cast<int>(win::dpiForWindow(mainWindow_)));
    showCountdown();
    ShowWindow(note_.hwnd(), SW_SHOW);
}

void ClipboardDecryption::TPTimerTimer() {
    if (countdown_.tick())
        putBackClipboardText(false);
    showCountdown();
}

void ClipboardDecryption::mainWindowCalledIn() {
    if (!countdown_.windowCalledIn())
        return;
    putBackClipboardText(false);
    showCountdown();
}

void ClipboardDecryption::takeSecretOffClipboard() {
    if (!countdown_.ending() || !timerForm_.hwnd())
        return;
    // The program is going: the usual few short waits for the clipboard are
    // the last chance.
    putBackClipboardText(true);
    showCountdown();
}

void ClipboardDecryption::putBackClipboardText(bool wait) {
    try {
        auto clipboard = wait ? OpenClipboardForText(timerForm_.hwnd())
                              : OpenClipboardForText(timerForm_.hwnd(), std::nothrow);
        if (!clipboard.isOpen()) {
            countdown_.putBackFailed();
            return;
        }
        std::optional<std::u16string> now = clipboard.text();
        const bool replace = countdown_.replaces(now);
        if (now)
            secureWipe(*now);
        if (replace)
            clipboard.replace(countdown_.earlierText(), false);
    } catch (const base::UserError&) {
        countdown_.putBackFailed();
        return;
    }
    countdown_.putBackDone();
}

void ClipboardDecryption::showCountdown() {
    timerForm_.present(countdown_);
    const unsigned period = countdown_.timerPeriodMs();
    if (period == countdownTimerMs_)
        return;
    countdownTimerMs_ = period;
    if (period)
        SetTimer(mainWindow_, kTPTimer, period, nullptr);
    else
        KillTimer(mainWindow_, kTPTimer);
}

} // namespace quivra::crypto
