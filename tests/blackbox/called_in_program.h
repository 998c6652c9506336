// The real program in a fresh folder with the notes A (three lines), B and
// C, the side list out, dynamic search on, and the window called in by the
// hotkey and in front, ready for the real mouse and keyboard.
#pragma once

#include "program_test.h"

#include "base/ini_file.h"
#include "notes/notes_ids.h"

namespace quivra::blackbox {

namespace fs = std::filesystem;

inline constexpr const char* kRtfA =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 alpha one\\par beta two\\par gamma beta\\par}";

class CalledInProgram : public ProgramTest {
  protected:
    void SetUp() override {
        start({{{L"A", kRtfA},
                {L"B", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 bee}"},
                {L"C", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 sea}"}},
               {{u"CurrentNoteName", u"A"},
                {u"EnableHotkey", u"1"},
                {u"ListWidth", u"150"},
                {u"DynamicSearch", u"1"}},
               {}});
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(waitFor([&] { return screenRect(window).left < 0; }));
        ASSERT_TRUE(postHotkey(window));
        ASSERT_TRUE(waitForLeft(window, 0));
        SetForegroundWindow(window);
        settle(window);
        names = findChildById(window, quivra::notes::ID_NOTESNAMESLIST);
        editor = findChild(window, L"RichEdit20W");
        ASSERT_TRUE(names && editor);
    }
    // The screen point in the middle of row `row` of a list box.
    static POINT listRow(HWND list, int row) {
        const int h = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        POINT p{10, h * row + h / 2};
        ClientToScreen(list, &p);
        return p;
    }
    static POINT middleOf(HWND w) {
        const RECT r = screenRect(w);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    std::wstring shownNote() const { return windowText(names); }
    void wheel(int delta) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_WHEEL;
        input.mi.mouseData = static_cast<DWORD>(delta);
        SendInput(1, &input, sizeof input);
        settle(window);
    }
    static void key(WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
        Sleep(30);
    }

    HWND names = nullptr;
    HWND editor = nullptr;
};

} // namespace quivra::blackbox
