// A small always-on-top popup that tells the user why the program does not
// answer while a big note is streamed into the editor. The thread runs no
// message loop during the load, so the popup repaints itself, and only
// itself, whenever its progress changes: no other window's handler runs.
#pragma once

#include <windows.h>

#include "win/window_win.h"

#include <cstdint>

namespace quivra::document {

class LoadProgressWindow : public win::Window {
  public:
    // Creates and shows the popup at once, owned by `owner` (may be null) and
    // centred on the part of the owner's monitor the owner covers. It takes
    // neither the activation nor the focus.
    explicit LoadProgressWindow(HWND owner, const wchar_t* title = L"Открывается большая заметка…");

    // How far the work got, 0 to 1, shown on the bar and as "<done> N %".
    // Repaints at most ten times a second, and at once when done.
    void setProgress(double fraction, const wchar_t* done);
    // How much of the note the editor has read: "Прочитано N %".
    void setRead(double fraction) { setProgress(fraction, L"Прочитано"); }
    // The editor has read the whole note and now lays it out, which it does
    // not report: says so, for as long as that takes.
    void setLayingOut();
    // Any other work the control does not report on: the message instead of
    // the progress.
    void setMessage(const wchar_t* message);

    HWND bar() const noexcept { return bar_; }
    HWND status() const noexcept { return status_; }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void repaint();

    win::UniqueFont font_;
    HWND title_ = nullptr;
    HWND status_ = nullptr;
    HWND bar_ = nullptr;
    int shownPercent_ = -1;
    std::uint64_t lastPaint_ = 0;
};

} // namespace quivra::document
