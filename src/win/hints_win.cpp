#include "win/hints_win.h"

#include <commctrl.h>

#include <algorithm>

namespace quivra::win {

void Hints::create(HWND owner) {
    owner_ = owner;
    ownerWatch_.attach(owner, [this](UINT msg, WPARAM wp, LPARAM lp, const Subclass::Next&) {
        if (msg == WM_SETCURSOR) {
            // The control under the mouse, or the hinted control it is part
            // of (the edit field of a combo box).
            const UINT mouse = HIWORD(lp);
            if (mouse < WM_MOUSEFIRST || mouse > WM_MOUSELAST)
                return std::optional<LRESULT>();
            for (auto w = reinterpret_cast<HWND>(wp); w && w != owner_; w = GetParent(w))
                if (std::any_of(hints_.begin(), hints_.end(),
                                [w](const Hint& h) { return h.control == w; })) {
                    relay(w, mouse);
                    break;
                }
        } else if (msg == WM_PARENTNOTIFY && LOWORD(wp) == WM_DESTROY) {
            forget(reinterpret_cast<HWND>(lp));
        }
        return std::optional<LRESULT>();
    });
}

void Hints::add(HWND control, const wchar_t* text) {
    hints_.push_back({control, text});
    nameControl(control, [name = splitHint(text).name] { return name; });
    if (tooltip_)
        addTool(hints_.back());
}

void Hints::addArea(HWND window, UINT id, const RECT& area, const wchar_t* text) {
    hints_.push_back({window, text, id, area});
    if (tooltip_)
        addTool(hints_.back());
}

void Hints::forget(HWND control) {
    // A control that goes takes its hints along: its handle may come back as
    // another window's.
    const auto gone = std::partition(hints_.begin(), hints_.end(),
                                     [control](const Hint& h) { return h.control != control; });
    if (tooltip_)
        for (auto h = gone; h != hints_.end(); ++h) {
            TTTOOLINFOW ti = toolOf(*h);
            SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
    hints_.erase(gone, hints_.end());
}

void Hints::follow(HWND old, HWND fresh) {
    for (Hint& hint : hints_)
        if (hint.control == old) {
            if (tooltip_) {
                TTTOOLINFOW ti = toolOf(hint);
                SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
            }
            hint.control = fresh;
            if (tooltip_)
                addTool(hint);
        }
}

void Hints::makeTooltip() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    // A hint may have more than one line ("\r\n"); that needs a width limit.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const Hint& hint : hints_)
        addTool(hint);
}

TTTOOLINFOW Hints::toolOf(const Hint& hint) const {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    if (hint.area) {
        // An area tool: the tooltip finds it by the window of the relayed
        // message and the mouse position in it.
        ti.hwnd = hint.control;
        ti.uId = hint.area;
        ti.rect = hint.rect;
    } else {
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = owner_;
        ti.uId = reinterpret_cast<UINT_PTR>(hint.control);
    }
    ti.lpszText = const_cast<wchar_t*>(hint.text.c_str());
    return ti;
}

void Hints::addTool(const Hint& hint) const {
    TTTOOLINFOW ti = toolOf(hint);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::relay(HWND control, UINT msg) {
    if (!tooltip_)
        makeTooltip();
    const DWORD pos = GetMessagePos();
    POINT at{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    MSG m{control, msg, 0, 0, static_cast<DWORD>(GetMessageTime()), at};
    ScreenToClient(control, &at);
    m.lParam = MAKELPARAM(at.x, at.y);
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

} // namespace quivra::win
