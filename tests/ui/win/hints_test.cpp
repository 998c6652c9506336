// A hint shows when the mouse rests on its control: the tooltip is handed the
// control's mouse messages by the program, not by a subclass of its own.
#include "win/hints_win.h"

#include "support/program_folder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using namespace quivra;

namespace {

bool waitUntil(const auto& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        test::pumpMessages();
        Sleep(10);
    }
    return true;
}

std::wstring shownText(HWND tooltip) {
    wchar_t text[128]{};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.lpszText = text;
    if (!SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti)))
        return L"";
    return text;
}

} // namespace

TEST(Hints, ShowWhileTheMouseRestsOnTheirControlOnly) {
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                  300, 100, nullptr, nullptr, nullptr, nullptr);
    HWND hinted = CreateWindowExW(0, L"BUTTON", L"X", WS_CHILD | WS_VISIBLE, 10, 10, 60, 30, window,
                                  nullptr, nullptr, nullptr);
    HWND plain = CreateWindowExW(0, L"BUTTON", L"Y", WS_CHILD | WS_VISIBLE, 150, 10, 60, 30, window,
                                 nullptr, nullptr, nullptr);
    {
        win::Hints hints;
        hints.create(window);
        hints.add(hinted, L"Скрыть\r\nвторая строка");
        SetCursorPos(100 + 160, 100 + 20); // over the plain button
        test::pumpMessages();
        ASSERT_EQ(WindowFromPoint({100 + 160, 100 + 20}), plain);
        EXPECT_FALSE(waitUntil([&] { return IsWindowVisible(hints.tooltip()) != FALSE; }, 1500));

        SetCursorPos(100 + 30, 100 + 20);
        for (int step = 0; step < 3; ++step) { // a few moves, as a hand gives them
            SetCursorPos(100 + 30 + step, 100 + 20);
            test::pumpMessages();
        }
        EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(hints.tooltip()) != FALSE; }, 3000));
        EXPECT_EQ(shownText(hints.tooltip()), L"Скрыть\r\nвторая строка");

        // A control that goes takes its hint along (its handle may come back).
        EXPECT_EQ(SendMessageW(hints.tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
        DestroyWindow(hinted);
        EXPECT_EQ(SendMessageW(hints.tooltip(), TTM_GETTOOLCOUNT, 0, 0), 0);
    }
    DestroyWindow(window);
}
