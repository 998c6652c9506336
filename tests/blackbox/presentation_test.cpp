// The real program called in and sent away from outside: the hotkey, the
// activation of another window, a click on the one-pixel line, Esc; and the
// real mouse on the window once it is in: the list's splitter, hints, the
// names list and the format bar.
#include "program_test.h"

#include "base/ini_file.h"
#include "editor/editor_ids.h"
#include "notes/notes_controller_win.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {

constexpr int kHiddenLeft = 1 - 640;

class ProgramWindow : public ProgramTest {
  protected:
    void SetUp() override {
        start(notesAAndB());
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(waitForLeft(window, kHiddenLeft)) << "no first slide-out";
    }
    void hotkey() { ASSERT_TRUE(postHotkey(window)) << "no hotkey registered"; }
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

namespace {

// The tall, narrow bar between the note list and the editor area.
HWND listSplitter(HWND window) {
    for (HWND panel : findChildren(window, L"QuivraPanel", WS_VISIBLE)) {
        const RECT r = screenRect(panel);
        if (r.right - r.left <= 8 && r.bottom - r.top > 100)
            return panel;
    }
    return nullptr;
}

// A visible tooltip window of the program's process.
HWND shownTooltip(DWORD pid) {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// Moves the mouse to `at` in a few small steps, as a hand does, and lets it
// rest there: the tooltip that then shows, or null after four seconds.
HWND tooltipAfterRestingAt(DWORD pid, POINT at) {
    for (int step = 0; step < 3; ++step)
        mouse(MOUSEEVENTF_MOVE, {at.x - 2 + step, at.y});
    HWND tip = nullptr;
    for (int i = 0; i < 40 && !tip; ++i) {
        Sleep(100);
        tip = shownTooltip(pid);
    }
    return tip;
}

} // namespace

TEST_F(ProgramWindow, DraggingTheListSplitterWidensTheListAndTheWidthIsKept) {
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 0));
    HWND splitter = listSplitter(window);
    ASSERT_NE(splitter, nullptr);
    HWND list = findChild(window, L"ListBox");
    ASSERT_NE(list, nullptr);
    const RECT before = screenRect(list);
    const RECT bar = screenRect(splitter);
    SetForegroundWindow(window);
    settle(window);
    const POINT grip{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
    mouse(MOUSEEVENTF_MOVE, grip);
    mouse(MOUSEEVENTF_LEFTDOWN);
    for (int dx = 10; dx <= 40; dx += 10) // a hand moves in steps
        mouse(MOUSEEVENTF_MOVE, {grip.x + dx, grip.y});
    mouse(MOUSEEVENTF_LEFTUP);
    settle(window);
    const RECT after = screenRect(list);
    EXPECT_NEAR((after.right - after.left) - (before.right - before.left), 40, 3);
    quivra::base::IniFile ini(settingsFile(dir));
    const long stored = ini.readInteger(u"Options", u"ListWidth", 0);
    EXPECT_NEAR(stored, after.right - after.left, 8);
}

TEST_F(ProgramWindow, AHintShowsWhileTheMouseRestsOnTheHideButton) {
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 0));
    EXPECT_EQ(shownTooltip(program->pid()), nullptr);
    HWND hide = findChildWhere(window, [&](HWND w) {
        return hasClass(w, L"Button") && GetParent(w) == window && windowText(w) == L"X";
    });
    ASSERT_NE(hide, nullptr);
    const RECT r = screenRect(hide);
    settle(window);
    HWND tip =
        tooltipAfterRestingAt(program->pid(), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(windowText(tip), L"Скрыть");
}

TEST_F(ProgramWindow, ClickingTheNamesListDropsItDownAndMovingAlongItOpensTheNotes) {
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 0));
    HWND names = findChildById(window, quivra::notes::ID_NOTESNAMESLIST);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(windowText(names), L"A");
    const RECT r = screenRect(names);
    SetForegroundWindow(window);
    settle(window);
    mouse(MOUSEEVENTF_MOVE, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    mouse(MOUSEEVENTF_LEFTDOWN);
    mouse(MOUSEEVENTF_LEFTUP);
    settle(window);
    names = findChildById(window, quivra::notes::ID_NOTESNAMESLIST);
    ASSERT_TRUE(hasClass(names, L"ComboBox"));
    EXPECT_TRUE(SendMessageW(names, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(windowText(names), L"A");
    // Moving along the dropped list opens each note it passes.
    pressKeys(window, {VK_DOWN});
    EXPECT_EQ(windowText(names), L"B");
    EXPECT_EQ(windowText(findChild(window, L"RichEdit20W")), L"bee");
}

TEST_F(ProgramWindow, TheFormatBarsButtonsNameThemselvesAndTakeTheMousesClick) {
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 0));
    HWND editor = findChild(window, L"RichEdit20W");
    HWND bar = findChildById(window, quivra::editor::ID_FORMATBAR);
    ASSERT_TRUE(editor && bar);
    SendMessageW(editor, EM_SETSEL, 0, 3); // "old"
    SetForegroundWindow(window);
    settle(window);
    // "B" is drawn at x 5, y 2 of the bar, 22 px square.
    const RECT r = screenRect(bar);
    const POINT bold{r.left + 5 + 11, r.top + 2 + 11};
    HWND tip = tooltipAfterRestingAt(program->pid(), bold);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(windowText(tip), L"Жирный");
    mouse(MOUSEEVENTF_LEFTDOWN);
    mouse(MOUSEEVENTF_LEFTUP);
    settle(window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->waitForExit(15000));
    window = nullptr;
    const std::string saved = readBytes(notesFolder(dir) / L"A.note");
    EXPECT_NE(saved.find(" old\\b0"), std::string::npos) << saved; // bold up to its end
}
