#include "platform/hints_win.h"

#include <commctrl.h>

namespace quivra::win {

void Hints::add(HWND control, const wchar_t* text) {
    hints_.push_back({control, text});
    if (tooltip_)
        addTool(hints_.back());
    relays_.emplace_back().attach(
        control, [this, control](UINT msg, WPARAM wp, LPARAM lp, const Subclass::Next&) {
            if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
                relay(control, msg, wp, lp);
            else if (msg == WM_DESTROY)
                forget(control);
            return std::optional<LRESULT>();
        });
}

void Hints::forget(HWND control) {
    // A control that goes takes its hint along: its handle may come back as
    // another window's.
    std::erase_if(hints_, [control](const Hint& h) { return h.control == control; });
    if (!tooltip_)
        return;
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = owner_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::makeTooltip() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    // A hint may have more than one line ("\r\n"); that needs a width limit.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const Hint& hint : hints_)
        addTool(hint);
}

void Hints::addTool(const Hint& hint) const {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = owner_;
    ti.uId = reinterpret_cast<UINT_PTR>(hint.control);
    ti.lpszText = const_cast<wchar_t*>(hint.text.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::relay(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (!tooltip_)
        makeTooltip();
    MSG m{control, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD pos = GetMessagePos();
    m.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

} // namespace quivra::win
