// The hints (tooltips) of a window's controls: one tooltip window and, for
// each hinted control, a handler that hands the tooltip the mouse messages
// the control receives. The tooltip could watch the controls itself, but it
// does so through the system's subclass helpers, whose per-message window
// property lookups are requests to the server under Wine. The tooltip window
// is made when the mouse first moves over a hinted control.
#pragma once

#include "platform/subclass_win.h"

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace quivra::win {

class Hints {
  public:
    // The window that owns the tooltip.
    void create(HWND owner) { owner_ = owner; }
    // Shows `text` while the mouse rests on `control` (a "\r\n" breaks the
    // line); the hint goes when the control is destroyed.
    void add(HWND control, const wchar_t* text);
    // Null until a hint was first wanted.
    HWND tooltip() const noexcept { return tooltip_; }

  private:
    struct Hint {
        HWND control;
        std::wstring text;
    };
    void forget(HWND control);
    void makeTooltip();
    void addTool(const Hint& hint) const;
    void relay(HWND control, UINT msg, WPARAM wp, LPARAM lp);

    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr; // destroyed with its owner
    std::vector<Hint> hints_;
    std::deque<Subclass> relays_;
};

} // namespace quivra::win
