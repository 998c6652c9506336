// The countdown window TTimerForm of the decryption into the clipboard: a
// small borderless always-on-top window with the label "До сброса буфера"
// and a smooth progress bar that counts the time left, or, while the
// clipboard is too busy to take the secret off, a notice saying so. Made the
// first time a countdown runs; shown at the bottom right of the primary work
// area until the secret is gone.
#pragma once

#include "crypto/clipboard_countdown.h"
#include "win/handles_win.h"
#include "win/window_win.h"

#include <string>
#include <string_view>

namespace quivra::crypto {

class TTimerForm final : public win::Window {
  public:
    bool create(int dpi);
    // Shows the countdown as it stands, hidden when it is idle. The window
    // comes at the bottom right of the primary monitor's work area and
    // becomes the active window; when the notice replaces the bar it grows
    // in place without taking the activation again.
    void present(const ClipboardCountdown& countdown);
    bool showing() const;
    // The bar TimProgr.
    int barPosition() const;
    bool barShowing() const;
    std::wstring labelText() const;
    HWND bar() const noexcept { return bar_; }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void setLook(bool busy, std::u16string_view text);

    int dpi_ = 96;
    bool busyLook_ = false;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    win::UniqueFont font_;
};

} // namespace quivra::crypto
