// The window at its dock edge: the toggle and its slides, the paths that
// call it in and send it away, the resize borders, quit and restart.
#include "support/notes_fixture.h"

#include "settings/settings_ids.h"
#include "win/shell_open_win.h"
#include "window/resize_hit_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

using namespace quivra;
using namespace quivra::test;

namespace {

// The left (or top) coordinates the main window passes through.
class MoveRecorder {
  public:
    explicit MoveRecorder(HWND window) {
        target() = window;
        recorded().clear();
        hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, &MoveRecorder::proc, nullptr,
                                  GetCurrentThreadId());
    }
    ~MoveRecorder() { UnhookWindowsHookEx(hook_); }
    const std::vector<POINT>& moves() const { return recorded(); }

  private:
    static HWND& target() {
        static HWND w;
        return w;
    }
    static std::vector<POINT>& recorded() {
        static std::vector<POINT> m;
        return m;
    }
    static LRESULT CALLBACK proc(int code, WPARAM wp, LPARAM lp) {
        const auto* msg = reinterpret_cast<const CWPRETSTRUCT*>(lp);
        if (code == HC_ACTION && msg->hwnd == target() && msg->message == WM_WINDOWPOSCHANGED) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg->lParam);
            if (!(pos->flags & SWP_NOMOVE))
                recorded().push_back({pos->x, pos->y});
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK hook_;
};

class Presentation : public NotesFixture {
  protected:
    ~Presentation() override { win::setShellOpenHook({}); }
    window::Presenter& presenter() { return form->presenter(); }
    RECT rect() const {
        RECT r;
        GetWindowRect(form->hwnd(), &r);
        return r;
    }
    // Started and slid out as the program does at its first showing.
    void startHidden() {
        start();
        form->FormShow();
        presenter().runPendingSlides();
    }
    void toggle() {
        presenter().ToggleWindow();
        presenter().runPendingSlides();
    }
    int screenHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
};

// The window's own alpha; 255 while it is not a layered window at all.
int windowAlpha(HWND w) {
    if (!(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED))
        return 255;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return -1;
    return alpha;
}

} // namespace

TEST_F(Presentation, SlideOutGoesInWholeStepsAndSnapsOntoTheHiddenPlace) {
    startHidden();
    toggle(); // in: opacity first, then the slide
    ASSERT_EQ(rect().left, 0);
    EXPECT_TRUE(form->state().isShown);
    EXPECT_EQ(presenter().opacity(), 220);
    EXPECT_EQ(windowAlpha(form->hwnd()), 220);
    MoveRecorder moves(form->hwnd());
    presenter().ToggleWindow();
    EXPECT_EQ(presenter().opacity(), 1); // before the slide runs
    EXPECT_EQ(windowAlpha(form->hwnd()), 1);
    presenter().runPendingSlides();
    ASSERT_EQ(moves.moves().size(), 64u);
    for (int i = 0; i < 63; ++i)
        EXPECT_EQ(moves.moves()[i].x, -10 * (i + 1));
    EXPECT_EQ(moves.moves().back().x, -639);
    EXPECT_FALSE(form->state().isShown);
}

TEST_F(Presentation, BottomSlideInStopsAtItsShownPlace) {
    folder.option(u"Placement", u"3");
    folder.option(u"DelayShow", u"100");
    startHidden();
    ASSERT_EQ(rect().top, screenHeight() - 1);
    MoveRecorder moves(form->hwnd());
    toggle();
    std::vector<int> tops; // the toggle's move to the hidden place is no move
    for (const auto& p : moves.moves())
        if (p.y != screenHeight() - 1)
            tops.push_back(p.y);
    const int sh = screenHeight();
    std::vector<int> expected; // while T > SH - H + s: T := T - s; then T := SH - H
    for (int t = sh - 1; t > sh - 480 + 100;)
        expected.push_back(t -= 100);
    expected.push_back(sh - 480);
    EXPECT_EQ(tops, expected);
}

TEST_F(Presentation, UserSizeIsStoredAndKeptAnOversizedWidthAlternatesAndZeroKeepsTheMinimum) {
    startHidden();
    toggle();
    SetWindowPos(form->hwnd(), nullptr, 100, 100, 900, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(form->hwnd(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(rect().left, 0); // back at the edge, centred
    EXPECT_EQ(rect().top, screenHeight() / 2 - 250);
    auto ini = folder.settings();
    EXPECT_EQ(ini.readInteger(u"Options", u"Width", 0), 900);
    EXPECT_EQ(ini.readInteger(u"Options", u"Height", 0), 500);
    const auto text = readSettingsText(folder.personalSettings());
    EXPECT_LT(text.find(u"Height="), text.find(u"Width=")); // Height is written first
    toggle();
    toggle();
    EXPECT_EQ(rect().right - rect().left, 900);
    EXPECT_EQ(rect().bottom - rect().top, 500);

    const int sw = GetSystemMetrics(SM_CXSCREEN);
    ini.writeInteger(u"Options", u"Width", sw + 200);
    std::vector<long> widths;
    for (int i = 0; i < 4; ++i) {
        toggle();
        widths.push_back(rect().right - rect().left);
    }
    EXPECT_EQ(widths, (std::vector<long>{sw + 200, sw, sw + 200, sw}));

    // A size no window can have holds the minimum: the line stays callable.
    ini.writeInteger(u"Options", u"Width", 0);
    ini.writeInteger(u"Options", u"Height", 0);
    toggle();
    EXPECT_EQ(rect().right - rect().left, 640);
    EXPECT_EQ(rect().bottom - rect().top, 320);
    toggle();
    EXPECT_EQ(rect().right - rect().left, 640);
}

TEST_F(Presentation, AutoHideSavesTheNoteAndTheKeeperHoldsTheLine) {
    addNote(L"A", kRtfA);
    folder.option(u"CurrentNoteName", u"A");
    startHidden();
    presenter().TrayIconClick();
    presenter().runPendingSlides();
    ASSERT_TRUE(form->state().isShown);
    ASSERT_TRUE(presenter().timerEnabled(window::Timer1));
    form->note().setSelection({0, 0});
    type(L"x");
    // Another window takes the activation.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    SendMessageW(form->hwnd(), WM_TIMER, window::Timer1, 0);
    presenter().runPendingSlides();
    EXPECT_FALSE(form->state().isShown);
    EXPECT_EQ(presenter().opacity(), 1);
    EXPECT_EQ(rect().left, 1 - 640);
    EXPECT_FALSE(presenter().timerEnabled(window::Timer1));
    EXPECT_TRUE(presenter().timerEnabled(window::Timer2));
    EXPECT_NE(readFile(noteFile(L"A")).find("xAlpha"), std::string::npos);
    // The keeper puts a shifted hidden window back.
    SetWindowPos(form->hwnd(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(form->hwnd(), WM_TIMER, window::Timer2, 0);
    EXPECT_EQ(rect().left, 1 - 640);
    EXPECT_EQ(rect().top, screenHeight() / 2 - 240);
    DestroyWindow(other);
}

TEST_F(Presentation, HotkeyTwiceLeavesTheKeeperOffAndDoubleClickSettingMakesSingleClicksInert) {
    folder.option(u"EnableHotkey", u"1");
    startHidden();
    const auto atom = presenter().hotkey().atom();
    ASSERT_NE(atom, 0);
    SendMessageW(form->hwnd(), WM_HOTKEY, atom, 0);
    presenter().runPendingSlides();
    EXPECT_TRUE(form->state().isShown);
    SendMessageW(form->hwnd(), WM_HOTKEY, atom + 1, 0); // not ours: ignored
    EXPECT_TRUE(form->state().isShown);
    SendMessageW(form->hwnd(), WM_HOTKEY, atom, 0);
    presenter().runPendingSlides();
    EXPECT_FALSE(form->state().isShown);
    EXPECT_FALSE(presenter().timerEnabled(window::Timer2));

    form->settingsPage().optionBoxes().setBoxTicked(settings::ID_ISDBLCLICK, true);
    // A click on the right edge strip, which the main window paints.
    const RECT strip = presenter().frameStrips()[2];
    const LPARAM onStrip = MAKELPARAM(strip.left + 1, (strip.top + strip.bottom) / 2);
    SendMessageW(form->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onStrip);
    presenter().TrayIconClick();
    presenter().runPendingSlides();
    EXPECT_FALSE(form->state().isShown);
    SendMessageW(form->hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, onStrip);
    presenter().runPendingSlides();
    EXPECT_TRUE(form->state().isShown);
    presenter().TrayIconDblClick();
    presenter().runPendingSlides();
    EXPECT_FALSE(form->state().isShown);
}

TEST_F(Presentation, LeftDockedWindowOffersNoLeftBorder) {
    startHidden();
    toggle();
    const RECT r = rect();
    const int mid = (r.top + r.bottom) / 2;
    // What the cursor meets at a screen point: the window the system finds
    // there (controls that are transparent to the hit test let it through)
    // and that window's answer.
    const auto cursorAt = [](POINT p) {
        HWND under = WindowFromPoint(p);
        return std::pair{under, SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y))};
    };
    // Near the free right side the user reaches the main window's border
    // somewhere between the edge strip and the controls inside.
    int rightBorders = 0;
    for (int x = r.right - window::kResizeBorder + 1; x < r.right; ++x) {
        const auto [under, hit] = cursorAt({x, mid});
        if (under == form->hwnd() && hit == window::kHitRight)
            ++rightBorders;
        EXPECT_TRUE(hit == window::kHitRight || hit == HTCLIENT) << x - r.right;
    }
    EXPECT_GT(rightBorders, 0) << "no reachable right border";
    // The side docked to the screen offers none anywhere.
    for (int x = r.left; x < r.left + window::kResizeBorder; ++x) {
        const auto [under, hit] = cursorAt({x, mid});
        EXPECT_TRUE(hit == HTCLIENT || hit == HTNOWHERE) << x << " " << hit;
    }
    // The bottom-right corner of a left-docked window is its right border.
    EXPECT_EQ(presenter().hitTest({r.right - 1, r.bottom - 1}), window::kHitRight);
}

TEST_F(Presentation, EscInTheEditorAndTheHideButtonSendTheWindowAway) {
    addNote(L"A", kRtfA);
    folder.option(u"CurrentNoteName", u"A");
    startHidden();
    toggle();
    SendMessageW(form->note().hwnd(), WM_CHAR, VK_ESCAPE, 0);
    presenter().runPendingSlides();
    EXPECT_FALSE(form->state().isShown);
    EXPECT_EQ(form->note().text().substr(0, 5), u"Alpha"); // no Esc character typed
    toggle();
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(window::ID_HIDEBUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->hideButton()));
    presenter().runPendingSlides();
    EXPECT_FALSE(form->state().isShown);
    EXPECT_TRUE(presenter().timerEnabled(window::Timer2));
}

// A rich-edit or multi-line edit control in dialog mode answers Esc by
// posting WM_CLOSE to its parent: no panel or page of the window goes.
TEST_F(Presentation, NoPanelOrPageIsDestroyedByACloseRequestFromAChild) {
    addNote(L"A", kRtfA);
    folder.option(u"CurrentNoteName", u"A");
    start();
    for (program::Page p : {program::Page::Settings, program::Page::Help, program::Page::About})
        form->showPage(p);
    form->showPage(program::Page::Notes);
    std::vector<HWND> all;
    EnumChildWindows(
        form->hwnd(),
        [](HWND w, LPARAM lp) {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
        wchar_t name[64]{};
        GetClassNameW(w, name, 64);
        if (std::wstring_view(name).starts_with(L"Quivra"))
            SendMessageW(w, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(std::all_of(all.begin(), all.end(), [](HWND w) { return IsWindow(w); }));
    EXPECT_NE(form->hwnd(), nullptr);
}

TEST_F(Presentation, QuitRemembersOnlyASelectedNoteAndCloseRequestsQuit) {
    folder.option(u"CurrentNoteName", u"Gone");
    start();
    SendMessageW(form->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); // Alt+F4
    EXPECT_EQ(form->hwnd(), nullptr);
    EXPECT_EQ(folder.settings().readString(u"Options", u"CurrentNoteName", u""), u"Gone");
}

TEST_F(Presentation, RestartStartsTheProgramWithItsParametersAndLetsItPast) {
    addNote(L"A", kRtfA);
    folder.arguments = {L"a", L"b"};
    start();
    open(L"A");
    std::vector<win::ShellOpen> started;
    win::setShellOpenHook([&](const win::ShellOpen& r) { started.push_back(r); });
    form->shutdown().G1Click();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].file, folder.exePath().wstring());
    EXPECT_EQ(started[0].parameters, L" a b");
    EXPECT_EQ(started[0].folder, folder.path().wstring());
    EXPECT_EQ(started[0].show, SW_SHOW);
    EXPECT_EQ(form->hwnd(), nullptr);
    auto ini = folder.settings();
    EXPECT_TRUE(ini.keyExists(u"Options", u"Restart"));
    EXPECT_EQ(ini.readString(u"Options", u"CurrentNoteName", u""), u"A");
}

TEST_F(Presentation, RestartWhoseKeyCannotBeWrittenSaysSoAndKeepsThisCopyRunning) {
    start();
    std::vector<win::ShellOpen> started;
    win::setShellOpenHook([&](const win::ShellOpen& r) { started.push_back(r); });
    SetFileAttributesW(folder.personalSettings().c_str(), FILE_ATTRIBUTE_READONLY);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(settings::ID_G1, 0), 0);
    SetFileAttributesW(folder.personalSettings().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"Unable to write to " + folder.personalSettings().wstring());
    EXPECT_TRUE(started.empty());
    ASSERT_NE(form->hwnd(), nullptr);
    EXPECT_TRUE(IsWindow(form->hwnd()));
}

TEST_F(Presentation, RefusedHotkeyIsToldNextToItsBoxAndAnotherCombinationWorks) {
    HWND squatter = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(squatter, 1, MOD_WIN, 'N'));
    start();
    auto& page = form->settingsPage();
    HWND message = page.control(settings::ID_HOTKEYREFUSED);
    EXPECT_FALSE(GetWindowLongW(message, GWL_STYLE) & WS_VISIBLE);
    page.optionBoxes().setBoxTicked(settings::ID_ISENABLEHOTKEY, true);
    EXPECT_TRUE(GetWindowLongW(message, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(presenter().hotkey().registered());
    // Ctrl+Alt+N in the hotkey field: registered, stored, the message goes.
    SendMessageW(page.control(settings::ID_HOTKEYKEYS), HKM_SETHOTKEY,
                 MAKEWORD('N', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(settings::ID_HOTKEYKEYS, EN_CHANGE),
                 reinterpret_cast<LPARAM>(page.control(settings::ID_HOTKEYKEYS)));
    EXPECT_TRUE(presenter().hotkey().registered());
    EXPECT_FALSE(GetWindowLongW(message, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(folder.settings().readInteger(u"Options", u"HotkeyKeys", 0),
              MAKEWORD('N', HOTKEYF_CONTROL | HOTKEYF_ALT));
    UnregisterHotKey(squatter, 1);
    DestroyWindow(squatter);
}
