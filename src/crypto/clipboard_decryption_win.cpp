// The decryption into the clipboard: opening the panel for it, putting the
// secret on the clipboard with the earlier text kept aside, and the
// countdown that puts the earlier text back, unless the user has copied
// something else meanwhile.
#include "crypto/crypto_controller_win.h"

#include "crypto/secret_clipboard_win.h"
#include "crypto/secure_wipe.h"
#include "crypto/text_fingerprint.h"
#include "win/dpi_win.h"

namespace quivra::crypto {

namespace {

// The 400 steps take 4 s at this period, about 6 s where the system's timer
// ticks every 15.6 ms.
constexpr UINT kTickMs = USER_TIMER_MINIMUM;

} // namespace

void CryptoController::DeCrBufClick() {
    if (!itemEnabled(ID_DECRBUF))
        return;
    panel_.open(PasswordPanel::Use::DecryptToClipboard, note_.selection().length() != 0);
}

void CryptoController::H1Click() {
    if (note_.focused() && note_.selection().length() != 0)
        DeCrBufClick();
}

void CryptoController::decryptIntoClipboard(std::u16string& plain) {
    std::optional<std::u16string> earlier;
    try {
        OpenClipboardForText clipboard(mainWindow_);
        earlier = clipboard.text();
        clipboard.replace(plain, true);
    } catch (...) {
        // The note did not change: the editor and the panel come back as
        // they were before Ok, and the copy of the note goes.
        secureWipe(plain);
        showEditor(true);
        panel_.close();
        cipher_.dropBackup();
        throw;
    }
    secretFingerprint_ = textFingerprint(plain);
    secureWipe(plain);
    panel_.close();
    countdown_.start(std::move(earlier));
    // The countdown window is made the first time a countdown runs.
    if (!timerForm_.hwnd())
        timerForm_.create(static_cast<int>(win::dpiForWindow(mainWindow_)));
    timerForm_.setBar(ClipboardCountdown::kSteps, countdown_.position());
    timerForm_.showAtWorkAreaCorner();
    SetTimer(mainWindow_, kTPTimer, kTickMs, nullptr);
    showEditor(true);
}

void CryptoController::TPTimerTimer() {
    const std::optional<std::u16string> earlier = countdown_.tick();
    timerForm_.setBar(ClipboardCountdown::kSteps, countdown_.position());
    if (countdown_.running())
        return;
    KillTimer(mainWindow_, kTPTimer);
    timerForm_.hide();
    if (earlier)
        putBackClipboardText(*earlier);
}

void CryptoController::putBackClipboardText(const std::u16string& earlier) {
    OpenClipboardForText clipboard(timerForm_.hwnd());
    std::optional<std::u16string> now = clipboard.text();
    const bool stillOurs = now && textFingerprint(*now) == secretFingerprint_;
    if (now)
        secureWipe(*now);
    secretFingerprint_ = 0;
    if (stillOurs)
        clipboard.replace(earlier, false);
}

} // namespace quivra::crypto
