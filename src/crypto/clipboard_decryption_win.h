// The decryption into the clipboard: opening the password panel for it,
// putting the secret on the clipboard with the earlier text kept aside, and
// the countdown window TTimerForm with its timer TPTimer that puts the
// earlier text back, unless the user has copied something else meanwhile.
#pragma once

#include "crypto/clipboard_countdown.h"
#include "crypto/command_items_win.h"
#include "crypto/password_panel_win.h"
#include "crypto/timer_form_win.h"
#include "document/rich_edit_win.h"

#include <windows.h>

#include <string>

namespace quivra::crypto {

class ClipboardDecryption {
  public:
    ClipboardDecryption(document::RichEdit& note, PasswordPanel& panel, const CommandItems& items)
        : note_(note), panel_(panel), items_(items) {}
    // A secret must not outlive the program on the clipboard.
    ~ClipboardDecryption();
    ClipboardDecryption(const ClipboardDecryption&) = delete;
    ClipboardDecryption& operator=(const ClipboardDecryption&) = delete;

    // The clipboard's owner and the timer's window.
    void create(HWND mainWindow) { mainWindow_ = mainWindow; }

    void DeCrBufClick();
    void H1Click(); // Alt+V
    void TPTimerTimer();
    // Puts the decrypted text on the clipboard and starts the countdown;
    // `plain` is wiped.
    void decryptIntoClipboard(std::u16string& plain);
    // A decryption started from the panel: the text kept from an earlier
    // one is not put back over it.
    void forgetSavedText() { countdown_.forgetSavedText(); }

    // Until the secret is gone from the clipboard, a busy clipboard included.
    bool countdownRunning() const { return countdown_.running(); }
    const ClipboardCountdown& countdown() const { return countdown_; }
    TTimerForm& timerForm() { return timerForm_; }
    // Occasions for another try when the clipboard was busy at the end: the
    // main window was called in; the program or the session ends (then even
    // a running countdown ends at once).
    void mainWindowCalledIn();
    void takeSecretOffClipboard();

  private:
    // `wait`: a few short waits for a busy clipboard instead of one try.
    void putBackClipboardText(bool wait);
    // The countdown window and the timer TPTimer as the countdown has them.
    void showCountdown();

    document::RichEdit& note_;
    PasswordPanel& panel_;
    const CommandItems& items_;
    HWND mainWindow_ = nullptr;
    TTimerForm timerForm_;
    ClipboardCountdown countdown_;
    unsigned countdownTimerMs_ = 0; // TPTimer's period; 0 while stopped
};

} // namespace quivra::crypto
