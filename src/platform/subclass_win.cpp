#include "platform/subclass_win.h"

#include "platform/window_win.h"

#include <commctrl.h>

namespace quivra::win {

Subclass::~Subclass() {
    detach();
}

void Subclass::attach(HWND control, Handler handler) {
    detach();
    control_ = control;
    handler_ = std::move(handler);
    SetWindowSubclass(control_, &Subclass::proc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
}

void Subclass::detach() {
    if (control_)
        RemoveWindowSubclass(control_, &Subclass::proc, reinterpret_cast<UINT_PTR>(this));
    control_ = nullptr;
}

LRESULT CALLBACK Subclass::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                DWORD_PTR self) {
    auto* subclass = reinterpret_cast<Subclass*>(self);
    if (msg == WM_NCDESTROY) {
        subclass->detach();
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    bool passedOn = false;
    LRESULT passedResult = 0;
    const Next next = [&] {
        if (!passedOn) {
            passedOn = true;
            passedResult = DefSubclassProc(hwnd, msg, wp, lp);
        }
        return passedResult;
    };
    std::optional<LRESULT> answer;
    bool failed = false;
    guardedCall(
        [&]() -> LRESULT {
            answer = subclass->handler_(msg, wp, lp, next);
            return 0;
        },
        [&](const wchar_t* text) {
            failed = true;
            showErrorBox(GetAncestor(hwnd, GA_ROOT), text);
        });
    if (answer)
        return *answer;
    if (passedOn || failed) // a failed command is not handed on to the control
        return passedResult;
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace quivra::win
