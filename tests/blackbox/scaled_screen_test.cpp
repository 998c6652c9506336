// The real program on a screen scaled to 150% (144 DPI), as many laptops
// are: it must look and behave as at 96 DPI, every size scaled. The settings
// file keeps sizes and panel places in 96-DPI units, so a file written on an
// unscaled screen means the same window here.
#include "program_test.h"

#include "base/ini_file.h"
#include "crypto/crypto_ids.h"
#include "editor/editor_ids.h"
#include "window/window_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace quivra::blackbox;
namespace fs = std::filesystem;
namespace ed = quivra::editor;
namespace wn = quivra::window;

namespace {

constexpr DWORD kScaledDpi = 144;

SIZE clientSize(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

SIZE windowSize(HWND w) {
    const RECT r = screenRect(w);
    return {r.right - r.left, r.bottom - r.top};
}

// Centred in the client area of `area` at the panel's own size.
POINT centredIn(HWND area, HWND panel) {
    const SIZE a = clientSize(area);
    const SIZE p = windowSize(panel);
    return {a.cx / 2 - p.cx / 2, a.cy / 2 - p.cy / 2};
}

// The program started at 144 DPI on one note, the hotkey enabled, with the
// settings given; every other setting is the default.
class ScaledScreen : public ProgramTest {
  protected:
    void start(std::initializer_list<std::pair<const char16_t*, const char16_t*>> options = {},
               std::initializer_list<std::pair<const char16_t*, const char16_t*>> coords = {}) {
        ProgramSetup setup{
            {{L"A", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 first line\\par}"},
             {L"B", "{\\rtf1 second\\par}"}},
            {{u"CurrentNoteName", u"A"}, {u"EnableHotkey", u"1"}},
            {}};
        for (const auto& [key, value] : options)
            setup.options.emplace_back(key, value);
        for (const auto& [key, value] : coords)
            setup.coords.emplace_back(key, value);
        ScreenDpi screenDpi(dpi);
        ProgramTest::start(setup);
    }
    void hotkey() { ASSERT_TRUE(postHotkey(window)) << "no hotkey registered"; }
    // Waits for the first slide-out, then brings the window in by the hotkey.
    void callIn() {
        ASSERT_TRUE(waitForSlidOut(window)) << "no first slide-out";
        hotkey();
        ASSERT_TRUE(waitForLeft(window, 0)) << "the hotkey did not bring the window in";
        settle(window);
    }
    long stored(const char16_t* section, const char16_t* key) {
        return quivra::base::IniFile(settingsFile(dir)).readInteger(section, key, -1);
    }

    int scaled(int designed) const { return MulDiv(designed, dpi, 96); }

    DWORD dpi = kScaledDpi;
};

void clickScreen(POINT at) {
    mouse(MOUSEEVENTF_MOVE, at);
    mouse(MOUSEEVENTF_LEFTDOWN);
    mouse(MOUSEEVENTF_LEFTUP);
}

enum class Call { Hotkey, LineClick, TrayClick };

class FirstCall : public ScaledScreen, public ::testing::WithParamInterface<Call> {};

} // namespace

// Whichever way the user first calls the window in, it comes in at the first
// call, shown at the edge at its default size scaled (640 × 480 at 96 DPI).
TEST_P(FirstCall, BringsTheWindowInAtTheScaledDefaultSize) {
    start();
    ASSERT_TRUE(waitForLeft(window, 1 - scaled(640))) << "no first slide-out";
    switch (GetParam()) {
    case Call::Hotkey:
        hotkey();
        break;
    case Call::LineClick:
        clickScreen({0, GetSystemMetrics(SM_CYSCREEN) / 2});
        break;
    case Call::TrayClick:
        // What the shell sends when the tray icon is clicked.
        PostMessageW(window, WM_APP + 2, 0, WM_LBUTTONUP);
        break;
    }
    ASSERT_TRUE(waitForLeft(window, 0)) << "the first call did not bring the window in";
    const RECT r = screenRect(window);
    EXPECT_EQ(r.right - r.left, scaled(640));
    EXPECT_EQ(r.bottom - r.top, scaled(480));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - scaled(480) / 2);
}

std::string callName(const ::testing::TestParamInfo<Call>& info) {
    const char* names[] = {"Hotkey", "LineClick", "TrayClick"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(ScaledScreen, FirstCall,
                         ::testing::Values(Call::Hotkey, Call::LineClick, Call::TrayClick),
                         callName);

// A size dragged by the user is stored in 96-DPI units and comes back scaled
// at the next call; a size stored at 96 DPI opens scaled.
TEST_F(ScaledScreen, StoredSizeIsIn96DpiUnitsOnEveryPath) {
    start({{u"Width", u"700"}, {u"Height", u"400"}});
    callIn();
    RECT r = screenRect(window);
    EXPECT_EQ(r.right - r.left, scaled(700));
    EXPECT_EQ(r.bottom - r.top, scaled(400));

    // The real mouse drags the free right border 150 px further out, taken
    // between the frame strip and the page.
    const POINT from{r.right - scaled(3) - 2, (r.top + r.bottom) / 2};
    mouse(MOUSEEVENTF_MOVE, from);
    mouse(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 5; ++step)
        mouse(MOUSEEVENTF_MOVE, {from.x + step * 30, from.y});
    mouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(waitFor([&] { return stored(u"Options", u"Width") != 700; }))
        << "the dragged size was not stored";
    r = screenRect(window);
    const int dragged = r.right - r.left;
    EXPECT_GT(dragged, scaled(700));
    EXPECT_EQ(stored(u"Options", u"Width"), MulDiv(dragged, 96, dpi));
    EXPECT_EQ(stored(u"Options", u"Height"), 400);

    // Away and back: the dragged size, not its 1.5 times.
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 1 - dragged));
    hotkey();
    ASSERT_TRUE(waitForLeft(window, 0));
    r = screenRect(window);
    EXPECT_EQ(r.right - r.left, dragged);
    EXPECT_EQ(r.bottom - r.top, scaled(400));
}

namespace {

struct Control {
    HWND hwnd;
    RECT rect; // on the screen, clipped by its parents
};

// What the user sees of a control: its rectangle clipped by every parent.
RECT visiblePart(HWND w) {
    RECT r = screenRect(w);
    for (HWND p = GetParent(w); p; p = GetParent(p)) {
        RECT client;
        GetClientRect(p, &client);
        MapWindowPoints(p, nullptr, reinterpret_cast<POINT*>(&client), 2);
        IntersectRect(&r, &r, &client);
    }
    return r;
}

// The tabs of a tab control of another process, on the screen: the control
// writes their rectangles into memory of its own process.
std::vector<RECT> tabRects(HWND tabs) {
    std::vector<RECT> rects;
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return rects;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    const int n = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote && i < n; ++i) {
        RECT r{};
        if (SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &r, sizeof r, nullptr)) {
            MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
            rects.push_back(r);
        }
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rects;
}

// The visible controls the user sees as one thing each: windows without
// visible children of their own, and each tab of a tab control (the pages
// lie over the control's display area, the toolbar beside its tabs).
std::vector<Control> visibleControls(HWND window) {
    std::vector<Control> found;
    std::vector<HWND> descendants;
    EnumChildWindows(
        window,
        [](HWND w, LPARAM lp) {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&descendants));
    for (HWND w : descendants) {
        if (!IsWindowVisible(w))
            continue;
        if (hasClass(w, WC_TABCONTROLW)) {
            for (const RECT& tab : tabRects(w))
                found.push_back({w, tab});
            continue;
        }
        const bool container =
            findChildWhere(w, [](HWND c) { return IsWindowVisible(c) != FALSE; }) != nullptr;
        if (!container)
            found.push_back({w, visiblePart(w)});
    }
    return found;
}

std::wstring describe(const Control& c) {
    wchar_t name[64]{};
    GetClassNameW(c.hwnd, name, 64);
    return std::wstring(name) + L" \"" + windowText(c.hwnd) + L"\" id " +
           std::to_wstring(GetDlgCtrlID(c.hwnd)) + L" at " + std::to_wstring(c.rect.left) + L"," +
           std::to_wstring(c.rect.top) + L"-" + std::to_wstring(c.rect.right) + L"," +
           std::to_wstring(c.rect.bottom);
}

} // namespace

class AnyScale : public ScaledScreen, public ::testing::WithParamInterface<DWORD> {};

// The notes page as the user sees it, with the list pane open: no control
// lies over another, on an unscaled screen and on a scaled one.
TEST_P(AnyScale, NoTwoVisibleControlsOfTheNotesPageOverlap) {
    dpi = GetParam();
    start({{u"ListWidth", u"120"}});
    callIn();
    const auto controls = visibleControls(window);
    ASSERT_GT(controls.size(), 12u);
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &controls[i].rect, &controls[j].rect))
                << describe(controls[i]) << L" overlaps " << describe(controls[j]);
        }
}

INSTANTIATE_TEST_SUITE_P(ScaledScreen, AnyScale, ::testing::Values(96, 144),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

// Places compared and printed by the test's assertions (found by argument
// lookup, so at global scope like POINT).
static bool operator==(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

static std::ostream& operator<<(std::ostream& out, POINT p) {
    return out << p.x << "," << p.y;
}

// Each floating panel opens at its place scaled: a place fixed in the file (in
// 96-DPI units), or its default centred at the size it has on this screen; a
// place fixed here is stored in 96-DPI units. The formatting-reset warning
// always opens centred on the notes page.
TEST_F(ScaledScreen, FloatingPanelsOpenAtTheirPlacesScaled) {
    start({}, {{u"FontPanel_x", u"10"},
               {u"FontPanel_y", u"12"},
               {u"EditPanel_x", u"20"},
               {u"EditPanel_y", u"30"},
               {u"ConfirmPanel_x", u"40"},
               {u"ConFirmPanel_y", u"50"}});
    callIn();
    HWND editor = findChild(window, L"RichEdit20W");
    HWND bar = findChildById(window, ed::ID_FORMATBAR);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(bar, nullptr);
    const auto shownPanel = [&](int id) {
        HWND panel = findChildById(window, id);
        return panel && IsWindowVisible(panel) ? panel : nullptr;
    };
    const auto closeByClickingTheEditor = [&](int id) {
        focusControl(window, editor);
        EXPECT_EQ(shownPanel(id), nullptr);
    };

    // The font button's left click; the panel at its fixed place. Moved and
    // fixed, the place goes to the file in 96-DPI units.
    clickAt(bar, {scaled(185), scaled(8)});
    settle(window);
    HWND font = shownPanel(wn::ID_FONTPANEL);
    ASSERT_NE(font, nullptr) << "the font panel did not open";
    EXPECT_EQ(placeInParent(font), (POINT{scaled(10), scaled(12)}));
    EXPECT_EQ(windowSize(font).cx, scaled(182));
    // The real mouse drags it by its background 30 px right and 45 down.
    const RECT at = screenRect(font);
    mouseDrag({at.left + scaled(5), at.top + scaled(5)}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    settle(window);
    ASSERT_EQ(placeInParent(font), (POINT{scaled(10) + 30, scaled(12) + 45}));
    PostMessageW(window, WM_COMMAND, wn::A2, 0); // "Фиксация координат"
    settle(window);
    EXPECT_EQ(stored(u"Coords", u"FontPanel_x"), 30);
    EXPECT_EQ(stored(u"Coords", u"FontPanel_y"), 42);
    closeByClickingTheEditor(wn::ID_FONTPANEL);

    // Alt+I: the name panel at its fixed place.
    pressKeys(window, {VK_MENU, 'I'});
    HWND name = shownPanel(wn::ID_NAMEPANEL);
    ASSERT_NE(name, nullptr) << "the name panel did not open";
    EXPECT_EQ(placeInParent(name), (POINT{scaled(20), scaled(30)}));
    closeByClickingTheEditor(wn::ID_NAMEPANEL);

    // Ctrl+D: the confirmation at its fixed place.
    pressKeys(window, {VK_CONTROL, 'D'});
    HWND confirm = shownPanel(wn::ID_CONFIRMPANEL);
    ASSERT_NE(confirm, nullptr) << "the delete confirmation did not open";
    EXPECT_EQ(placeInParent(confirm), (POINT{scaled(40), scaled(50)}));
    EXPECT_EQ(windowSize(confirm).cx, scaled(353));
    EXPECT_EQ(windowSize(confirm).cy, scaled(160));
    closeByClickingTheEditor(wn::ID_CONFIRMPANEL);

    // "Сброс форматирования": the same panel centred on the notes page.
    PostMessageW(window, WM_COMMAND, ed::Unformat, 0);
    settle(window);
    ASSERT_EQ(shownPanel(wn::ID_CONFIRMPANEL), confirm) << "the reset warning did not open";
    EXPECT_EQ(placeInParent(confirm), centredIn(GetParent(confirm), confirm));
    closeByClickingTheEditor(wn::ID_CONFIRMPANEL);

    // Alt+C: the password panel centred on the editor, 20 px (scaled) lower.
    SendMessageW(editor, EM_SETSEL, 0, 5);
    pressKeys(window, {VK_MENU, 'C'});
    HWND password = shownPanel(quivra::crypto::ID_ECPANEL);
    ASSERT_NE(password, nullptr) << "the password panel did not open";
    const POINT centred = centredIn(editor, password);
    EXPECT_EQ(placeInParent(password), (POINT{centred.x, centred.y + scaled(20)}));
}
