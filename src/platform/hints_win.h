// The hints (tooltips) of a window's controls: one tooltip window and, for
// each hinted control, a handler that hands the tooltip the mouse messages
// the control receives. The tooltip could watch the controls itself, but it
// does so through the system's subclass helpers, whose per-message window
// property lookups are requests to the server under Wine.
#pragma once

#include "platform/subclass_win.h"

#include <windows.h>

#include <deque>

namespace quivra::win {

class Hints {
  public:
    // Makes the tooltip window, owned by `owner`.
    void create(HWND owner);
    // Shows `text` while the mouse rests on `control` (a "\r\n" breaks the
    // line).
    void add(HWND control, const wchar_t* text);
    HWND tooltip() const noexcept { return tooltip_; }

  private:
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr; // destroyed with its owner
    std::deque<Subclass> relays_;
};

} // namespace quivra::win
