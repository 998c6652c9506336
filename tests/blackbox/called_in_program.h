// The real program in a fresh folder with the notes A (three lines), B and
// C, the side list out, dynamic search on, and the window called in by the
// hotkey and in front, ready for the real mouse and keyboard.
#pragma once

#include "running_program.h"

#include "base/ini_file.h"
#include "notes/notes_ids.h"

#include <gtest/gtest.h>

#include <memory>

namespace quivra::blackbox {

namespace fs = std::filesystem;

inline constexpr const char* kRtfA =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 alpha one\\par beta two\\par gamma beta\\par}";

template <class Test> inline bool waitUntil(Test test, DWORD timeoutMs = 5000) {
    const DWORD until = GetTickCount() + timeoutMs;
    while (!test()) {
        if (GetTickCount() > until)
            return false;
        Sleep(50);
    }
    return true;
}

class CalledInProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = freshProgramFolder();
        fs::create_directories(notesFolder(dir));
        writeBytes(note(L"A"), kRtfA);
        writeBytes(note(L"B"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 bee}");
        writeBytes(note(L"C"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 sea}");
        quivra::base::IniFile ini(settingsFile(dir));
        ini.writeString(u"Options", u"CurrentNoteName", u"A");
        ini.writeString(u"Options", u"EnableHotkey", u"1");
        ini.writeString(u"Options", u"ListWidth", u"150");
        ini.writeString(u"Options", u"DynamicSearch", u"1");
        program = std::make_unique<RunningProgram>(dir / L"quivra.exe");
        ASSERT_TRUE(program->started());
        window = program->mainWindow(15000);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(waitUntil([&] { return screenRect(window).left < 0; }, 10000));
        const ATOM atom = GlobalFindAtomW(L"quivra_hotkey_sh");
        ASSERT_NE(atom, 0);
        PostMessageW(window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
        ASSERT_TRUE(waitUntil([&] { return screenRect(window).left == 0; }, 10000));
        SetForegroundWindow(window);
        settle(window);
        names = findChildById(window, quivra::notes::ID_NOTESNAMESLIST);
        editor = findChild(window, L"RichEdit20W");
        ASSERT_TRUE(names && editor);
    }
    void TearDown() override {
        if (window && IsWindow(window))
            PostMessageW(window, WM_CLOSE, 0, 0);
        if (program)
            program->waitForExit(15000);
    }
    fs::path note(const wchar_t* name) const {
        return notesFolder(dir) / (std::wstring(name) + L".note");
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

    fs::path dir;
    std::unique_ptr<RunningProgram> program;
    HWND window = nullptr;
    HWND names = nullptr;
    HWND editor = nullptr;
};

} // namespace quivra::blackbox
