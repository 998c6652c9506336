#include "platform/hints_win.h"

#include <commctrl.h>

namespace quivra::win {

void Hints::create(HWND owner) {
    owner_ = owner;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    // A hint may have more than one line ("\r\n"); that needs a width limit.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void Hints::add(HWND control, const wchar_t* text) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = owner_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    relays_.emplace_back().attach(
        control, [tip = tooltip_, control](UINT msg, WPARAM wp, LPARAM lp, const Subclass::Next&) {
            if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
                MSG m{control, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
                const DWORD pos = GetMessagePos();
                m.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
                SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
            }
            return std::optional<LRESULT>();
        });
}

} // namespace quivra::win
