// The real program called in and sent away from outside: the hotkey, the
// activation of another window, a click on the one-pixel line, Esc.
#include "running_program.h"

#include "settings/ini_file.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {

constexpr int kHiddenLeft = 1 - 640;

// Waits until the window's left edge is at `left`.
bool waitForLeft(HWND w, int left, DWORD timeoutMs = 10000) {
    const DWORD until = GetTickCount() + timeoutMs;
    do {
        RECT r;
        GetWindowRect(w, &r);
        if (r.left == left)
            return true;
        Sleep(20);
    } while (GetTickCount() < until);
    return false;
}

class ProgramWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = freshProgramFolder();
        fs::create_directories(notesFolder(dir));
        writeBytes(notesFolder(dir) / L"A.note", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 old}");
        quivra::settings::IniFile ini(settingsFile(dir));
        ini.writeString(u"Options", u"CurrentNoteName", u"A");
        ini.writeString(u"Options", u"EnableHotkey", u"1");
        program = std::make_unique<RunningProgram>(dir / L"quivra.exe");
        ASSERT_TRUE(program->started());
        window = program->mainWindow(15000);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(waitForLeft(window, kHiddenLeft)) << "no first slide-out";
    }
    void TearDown() override {
        if (window)
            PostMessageW(window, WM_CLOSE, 0, 0);
        if (program)
            program->waitForExit(15000);
    }
    void hotkey() {
        const ATOM atom = GlobalFindAtomW(L"quivra_hotkey_sh");
        ASSERT_NE(atom, 0);
        PostMessageW(window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
    }

    fs::path dir;
    std::unique_ptr<RunningProgram> program;
    HWND window = nullptr;
};

} // namespace

TEST_F(ProgramWindow, HotkeyBringsItInAndAnotherWindowsActivationSendsItAwayWithTheTextSaved) {
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 0)) << "the hotkey did not bring the window in";
    HWND editor = findChild(window, L"RichEdit20W");
    ASSERT_NE(editor, nullptr);
    typeInto(editor, L"typed ");
    HWND other = CreateWindowExW(0, L"STATIC", L"other program", WS_POPUP | WS_VISIBLE, 700, 100,
                                 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(waitForLeft(window, kHiddenLeft)) << "no auto-hide";
    EXPECT_NE(readBytes(notesFolder(dir) / L"A.note").find("typed old"), std::string::npos);
    DestroyWindow(other);
}

TEST_F(ProgramWindow, ClickOnTheOnePixelLineBringsItBackAndEscSendsItAway) {
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    SetCursorPos(0, y);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    ASSERT_TRUE(waitForLeft(window, 0)) << "the click on the line did not bring the window in";
    HWND editor = findChild(window, L"RichEdit20W");
    ASSERT_NE(editor, nullptr);
    PostMessageW(editor, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_TRUE(waitForLeft(window, kHiddenLeft)) << "Esc did not send the window away";
}
