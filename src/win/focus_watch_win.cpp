#include "win/focus_watch_win.h"

#include "win/window_win.h"

#include <commctrl.h>

#include <memory>

namespace quivra::win {

namespace {

struct Watch {
    HWND panel;
    std::function<void()> onLeave;
};

UINT_PTR g_nextSubclassId = 0x51F0;

// True when `window` lies in a top-level window that `owner` owns: a message
// box or dialog of the program over it. The focus going there is not the
// user leaving the panel; it comes back when the box closes.
bool isOwnedWindow(HWND window, HWND owner) {
    if (!window || !owner)
        return false;
    for (HWND top = GetWindow(GetAncestor(window, GA_ROOT), GW_OWNER); top;
         top = GetWindow(top, GW_OWNER))
        if (top == owner)
            return true;
    return false;
}

LRESULT CALLBACK watchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    auto* watch = reinterpret_cast<std::shared_ptr<Watch>*>(data);
    if (msg == WM_KILLFOCUS) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        HWND next = reinterpret_cast<HWND>(wp);
        auto w = *watch; // keep alive while the handler runs
        if (IsWindowVisible(w->panel) && !isInside(next, w->panel) &&
            !isOwnedWindow(next, GetAncestor(w->panel, GA_ROOT)) && w->onLeave)
            guardedCall(
                [&] {
                    w->onLeave();
                    return LRESULT{0};
                },
                [&](const wchar_t* text) { showErrorBox(GetAncestor(hwnd, GA_ROOT), text); });
        return r;
    }
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, watchProc, id);
        std::unique_ptr<std::shared_ptr<Watch>> owned(watch);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace

bool isInside(HWND window, HWND container) {
    return window && (window == container || IsChild(container, window));
}

void watchFocusLeaving(HWND panel, std::function<void()> onLeave) {
    auto watch = std::make_shared<Watch>(Watch{panel, std::move(onLeave)});
    struct Ctx {
        std::shared_ptr<Watch> watch;
        UINT_PTR id;
    } ctx{watch, g_nextSubclassId++};
    EnumChildWindows(
        panel,
        [](HWND child, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(p);
            auto holder = std::make_unique<std::shared_ptr<Watch>>(c->watch);
            if (SetWindowSubclass(child, watchProc, c->id,
                                  reinterpret_cast<DWORD_PTR>(holder.get())))
                holder.release();
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
}

} // namespace quivra::win
