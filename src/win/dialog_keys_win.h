// The main window's message loop runs IsDialogMessage, which takes Enter and
// Esc away from a control for the dialog's default and cancel buttons unless
// the control asks for them. A control whose own handler acts on these keys
// (a name field, a search box, a list) asks through this.
#pragma once

#include "win/subclass_win.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>

namespace quivra::win {

// For WM_GETDLGCODE: the control's own code plus DLGC_WANTMESSAGE when the
// key pressed is one of `keys`; nothing for every other message.
inline std::optional<LRESULT> wantKeys(UINT msg, LPARAM lp, const Subclass::Next& next,
                                       std::initializer_list<WPARAM> keys) {
    if (msg != WM_GETDLGCODE || !lp)
        return std::nullopt;
    const MSG& pressed = *reinterpret_cast<const MSG*>(lp);
    if (pressed.message != WM_KEYDOWN && pressed.message != WM_CHAR)
        return std::nullopt;
    for (WPARAM key : keys)
        if (pressed.wParam == key)
            return next() | DLGC_WANTMESSAGE;
    return std::nullopt;
}

// Esc in a rich-edit control. In dialog mode (IsDialogMessage puts it there)
// the control answers the key press by posting WM_CLOSE to its parent, so
// the press is kept from it; the character that follows runs `escape`.
inline std::optional<LRESULT> takeEscape(UINT msg, WPARAM wp, const std::function<void()>& escape) {
    if (wp != VK_ESCAPE || (msg != WM_KEYDOWN && msg != WM_CHAR))
        return std::nullopt;
    if (msg == WM_CHAR)
        escape();
    return 0;
}

} // namespace quivra::win
