// The countdown window TTimerForm of the decryption into the clipboard: a
// small borderless always-on-top window with the label "До сброса буфера"
// and a smooth progress bar that counts the time left. Made the first time a
// countdown runs; shown at the bottom right of the primary work area while a
// countdown runs.
#pragma once

#include "win/handles_win.h"
#include "win/window_win.h"

namespace quivra::crypto {

class TTimerForm final : public win::Window {
  public:
    bool create(int dpi);
    // Places the window at the bottom right of the primary monitor's work
    // area and shows it (it becomes the active window).
    void showAtWorkAreaCorner();
    void hide();
    bool showing() const;
    // The bar TimProgr.
    void setBar(int maximum, int position);
    int barPosition() const;
    HWND bar() const noexcept { return bar_; }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    win::UniqueFont font_;
};

} // namespace quivra::crypto
