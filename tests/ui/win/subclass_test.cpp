// Handlers laid over a real control: their order, what `next` reaches, and
// what detaching (in any order, from inside a handler, or by the control's
// destruction) leaves behind, also beside the system's own subclass helpers.
#include "win/subclass_win.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using quivra::win::Subclass;

namespace {

constexpr UINT kProbe = WM_APP + 77;

struct EditControl {
    HWND hwnd = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr,
                                nullptr);
    ~EditControl() {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    std::wstring text() const {
        wchar_t buffer[64]{};
        GetWindowTextW(hwnd, buffer, 64);
        return buffer;
    }
};

// A handler that writes its mark into `trace` and lets the message go on.
Subclass::Handler marking(std::string& trace, char mark) {
    return [&trace, mark](UINT msg, WPARAM, LPARAM, const Subclass::Next&) {
        if (msg == kProbe)
            trace += mark;
        return std::optional<LRESULT>();
    };
}

LRESULT CALLBACK systemSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                DWORD_PTR trace) {
    if (msg == kProbe)
        *reinterpret_cast<std::string*>(trace) += 'S';
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace

TEST(Subclass, LastLaidAnswersFirstAndDetachingAnyLeavesTheOthersInOrder) {
    EditControl edit;
    const auto own = GetWindowLongPtrW(edit.hwnd, GWLP_WNDPROC);
    std::string trace;
    Subclass a, b, c;
    a.attach(edit.hwnd, marking(trace, 'a'));
    b.attach(edit.hwnd, marking(trace, 'b'));
    c.attach(edit.hwnd, marking(trace, 'c'));
    SendMessageW(edit.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "cba");

    b.detach(); // from the middle
    trace.clear();
    SendMessageW(edit.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "ca");
    // The control still does its own work under the handlers.
    SetWindowTextW(edit.hwnd, L"typed");
    EXPECT_EQ(edit.text(), L"typed");

    c.detach();
    a.detach();
    EXPECT_EQ(GetWindowLongPtrW(edit.hwnd, GWLP_WNDPROC), own);
    trace.clear();
    SendMessageW(edit.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "");
}

TEST(Subclass, AnAnswerStopsTheMessageAndNextRunsTheRestOnce) {
    EditControl edit;
    std::string trace;
    Subclass below, above;
    below.attach(edit.hwnd, marking(trace, 'b'));
    above.attach(edit.hwnd, [&](UINT msg, WPARAM, LPARAM, const Subclass::Next& next) {
        if (msg == WM_SETTEXT) // swallowed: the control never sees it
            return std::optional<LRESULT>(TRUE);
        if (msg == kProbe) {
            next();
            next(); // runs the rest only once
            trace += 'A';
            return std::optional<LRESULT>(7);
        }
        return std::optional<LRESULT>();
    });
    EXPECT_EQ(SendMessageW(edit.hwnd, kProbe, 0, 0), 7);
    EXPECT_EQ(trace, "bA");
    SetWindowTextW(edit.hwnd, L"lost");
    EXPECT_EQ(edit.text(), L"");
}

TEST(Subclass, HandlerMayDetachItselfAndDestructionLetsGoOfAll) {
    std::string trace;
    Subclass lower, self;
    {
        EditControl edit;
        lower.attach(edit.hwnd, marking(trace, 'l'));
        self.attach(edit.hwnd, [&](UINT msg, WPARAM, LPARAM, const Subclass::Next&) {
            if (msg == kProbe) {
                trace += 's';
                self.detach();
            }
            return std::optional<LRESULT>();
        });
        SendMessageW(edit.hwnd, kProbe, 0, 0);
        EXPECT_EQ(trace, "sl"); // the message still reached the handler below
        trace.clear();
        SendMessageW(edit.hwnd, kProbe, 0, 0);
        EXPECT_EQ(trace, "l");
        EXPECT_EQ(self.control(), nullptr);
    }
    EXPECT_EQ(lower.control(), nullptr); // the control is gone
    lower.detach();                      // and detaching later is harmless
}

TEST(Subclass, WorksAboveAndBelowTheSystemsSubclassHelpers) {
    EditControl edit;
    std::string trace;
    Subclass first, last;
    first.attach(edit.hwnd, marking(trace, 'f'));
    ASSERT_TRUE(
        SetWindowSubclass(edit.hwnd, systemSubclass, 1, reinterpret_cast<DWORD_PTR>(&trace)));
    last.attach(edit.hwnd, marking(trace, 'l'));
    SendMessageW(edit.hwnd, kProbe, 0, 0);
    // Ours stay together where the first was laid; the system's keeps its
    // place over them.
    EXPECT_EQ(trace, "Slf");

    // Ours, under the system's, stays in place when emptied.
    first.detach();
    last.detach();
    trace.clear();
    SendMessageW(edit.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "S");
    first.attach(edit.hwnd, marking(trace, 'f'));
    trace.clear();
    SendMessageW(edit.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "Sf");
    RemoveWindowSubclass(edit.hwnd, systemSubclass, 1);
}

TEST(Subclass, MovedHandlersAnswerOnTheReplacementInTheirOrderAndNotInBetween) {
    EditControl old, fresh;
    const auto own = GetWindowLongPtrW(old.hwnd, GWLP_WNDPROC);
    std::string trace;
    Subclass a, b;
    a.attach(old.hwnd, marking(trace, 'a'));
    b.attach(old.hwnd, marking(trace, 'b'));
    std::string meanwhile;
    EXPECT_TRUE(Subclass::moveHandlers(old.hwnd, fresh.hwnd, [&] {
        SendMessageW(old.hwnd, kProbe, 0, 0);
        SendMessageW(fresh.hwnd, kProbe, 0, 0);
        meanwhile = trace;
    }));
    EXPECT_EQ(meanwhile, ""); // neither control had them then
    EXPECT_EQ(GetWindowLongPtrW(old.hwnd, GWLP_WNDPROC), own);
    SendMessageW(fresh.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "ba");
    EXPECT_EQ(a.control(), fresh.hwnd);
    // Detaching from the new control works as from any other.
    b.detach();
    trace.clear();
    SendMessageW(fresh.hwnd, kProbe, 0, 0);
    EXPECT_EQ(trace, "a");
    // Nothing to move, or handlers already there: nothing moves.
    EXPECT_FALSE(Subclass::moveHandlers(old.hwnd, fresh.hwnd));
    EXPECT_FALSE(Subclass::moveHandlers(fresh.hwnd, fresh.hwnd));
}
