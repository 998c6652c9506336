// The hints (tooltips) of a window's controls: one tooltip window, handed
// the mouse messages of the hinted controls by the window that owns it. The
// owner learns of them from WM_SETCURSOR, which a control under the mouse
// passes up to its ancestors (with the mouse message it stands for), and of
// a control's end from WM_PARENTNOTIFY; so no control is subclassed. (The
// tooltip could watch the controls itself, but it does so through the
// system's subclass helpers, whose per-message window property lookups are
// requests to the server under Wine, and laying a handler over a control is
// one more request per control at start-up.) A hint may also belong to an
// area of a window, such as a button a bar draws itself. The tooltip window
// is made when the mouse first moves over a hinted control. A hinted control
// is also named by its hint's first line for a screen reader (a handler laid
// over it answers WM_GETOBJECT): the "X" that hides the window is "Скрыть",
// an edit box is what its hint says it is for.
#pragma once

#include "win/accessible_win.h"
#include "win/subclass_win.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace quivra::win {

class Hints {
  public:
    // The window that owns the tooltip; the hinted controls lie inside it.
    void create(HWND owner);
    // Shows `text` while the mouse rests on `control` (a "\r\n" breaks the
    // line); the hint goes when the control is destroyed.
    void add(HWND control, const wchar_t* text);
    // Shows `text` while the mouse rests on `area` of `window` (client
    // coordinates); `id` tells the window's areas apart (not 0).
    void addArea(HWND window, UINT id, const RECT& area, const wchar_t* text);
    // A control replaced by a fresh one of its kind: its hints go over to
    // the fresh one.
    void follow(HWND old, HWND fresh);
    // Null until a hint was first wanted.
    HWND tooltip() const noexcept { return tooltip_; }

  private:
    struct Hint {
        HWND control;
        std::wstring text;
        UINT area = 0; // 0: the whole control
        RECT rect{};
    };
    void forget(HWND control);
    void makeTooltip();
    TTTOOLINFOW toolOf(const Hint& hint) const;
    void addTool(const Hint& hint) const;
    void relay(HWND control, UINT msg);

    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr; // destroyed with its owner
    std::vector<Hint> hints_;
    Subclass ownerWatch_;
};

} // namespace quivra::win
