#include "win/subclass_win.h"

#include "win/window_win.h"

#include <unordered_map>

namespace quivra::win {

// The handlers of one control form a chain: the one attached last answers
// first, and its `next` reaches the one below it, down to the control's own
// procedure. The chain is kept in this process's memory rather than with the
// system's subclass helpers, which look up a window property on every message:
// under Wine each lookup is a request to the server, and the editor, with four
// handlers, paid for five of them on every message it received.
struct Subclass::Chain {
    WNDPROC original = nullptr;
    Subclass* top = nullptr;
};

namespace {

// Windows live on the one user-interface thread, so the map needs no lock.
std::unordered_map<HWND, Subclass::Chain>& chains() {
    static std::unordered_map<HWND, Subclass::Chain> map;
    return map;
}

} // namespace

Subclass::~Subclass() {
    detach();
}

void Subclass::attach(HWND control, Handler handler) {
    detach();
    if (!control)
        return;
    auto& map = chains();
    auto found = map.find(control);
    if (found == map.end()) {
        Chain chain;
        chain.original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::chainProc)));
        if (!chain.original)
            return;
        found = map.emplace(control, chain).first;
    }
    control_ = control;
    handler_ = std::move(handler);
    below_ = found->second.top;
    found->second.top = this;
}

void Subclass::detach() {
    if (!control_)
        return;
    auto& map = chains();
    const auto found = map.find(control_);
    if (found != map.end()) {
        Chain& chain = found->second;
        if (chain.top == this) {
            chain.top = below_;
        } else {
            for (Subclass* s = chain.top; s; s = s->below_)
                if (s->below_ == this) {
                    s->below_ = below_;
                    break;
                }
        }
        // The control's procedure goes back to its own only while nothing was
        // laid over ours since; otherwise ours stays and passes everything on.
        if (!chain.top && GetWindowLongPtrW(control_, GWLP_WNDPROC) ==
                              reinterpret_cast<LONG_PTR>(&Subclass::chainProc)) {
            SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
            map.erase(found);
        }
    }
    control_ = nullptr;
    below_ = nullptr;
}

bool Subclass::moveHandlers(HWND from, HWND to, const std::function<void()>& meanwhile) {
    auto& map = chains();
    const auto found = map.find(from);
    if (found == map.end() || !to || map.contains(to)) {
        if (meanwhile)
            meanwhile();
        return false;
    }
    const Chain chain = found->second;
    map.erase(found);
    if (GetWindowLongPtrW(from, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Subclass::chainProc))
        SetWindowLongPtrW(from, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
    if (meanwhile)
        meanwhile();
    const auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(to, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::chainProc)));
    for (Subclass* s = chain.top; s; s = s->below_)
        s->control_ = original ? to : nullptr;
    if (original)
        map.emplace(to, Chain{original, chain.top});
    return original != nullptr;
}

LRESULT Subclass::passOn(const Subclass* below, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (below)
        return below->run(hwnd, msg, wp, lp);
    const auto found = chains().find(hwnd);
    if (found != chains().end())
        return CallWindowProcW(found->second.original, hwnd, msg, wp, lp);
    // The handlers moved to another control while this message was on its
    // way through them: it ends with the control's own procedure.
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (own && own != &Subclass::chainProc)
        return CallWindowProcW(own, hwnd, msg, wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Subclass::run(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const {
    // Taken now: a handler may detach itself while it runs.
    const Subclass* below = below_;
    bool passedOn = false;
    LRESULT passedResult = 0;
    const Next next = [&] {
        if (!passedOn) {
            passedOn = true;
            passedResult = passOn(below, hwnd, msg, wp, lp);
        }
        return passedResult;
    };
    std::optional<LRESULT> answer;
    bool failed = false;
    guardedCall(
        [&]() -> LRESULT {
            answer = handler_(msg, wp, lp, next);
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
    return passOn(below, hwnd, msg, wp, lp);
}

LRESULT CALLBACK Subclass::chainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto& map = chains();
    const auto found = map.find(hwnd);
    if (found == map.end())
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        // The control goes: its handlers let go of it, and its own procedure
        // has the last message.
        const WNDPROC original = found->second.original;
        for (Subclass* s = found->second.top; s;) {
            Subclass* below = s->below_;
            s->control_ = nullptr;
            s->below_ = nullptr;
            s = below;
        }
        map.erase(found);
        if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&chainProc))
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    if (!found->second.top)
        return CallWindowProcW(found->second.original, hwnd, msg, wp, lp);
    return found->second.top->run(hwnd, msg, wp, lp);
}

} // namespace quivra::win
