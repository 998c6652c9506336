// The floating panels under the real mouse: any button drags a panel, and a
// right click that does not drag opens the panels' menu where it is released.
#include "called_in_program.h"

#include "crypto/crypto_ids.h"
#include "editor/editor_ids.h"
#include "window/window_ids.h"

namespace quivra::blackbox {
namespace {

class PanelsUnderTheMouse : public CalledInProgram {
  protected:
    HWND openFontPanel() {
        HWND bar = findChildById(window, quivra::editor::ID_FORMATBAR);
        EXPECT_NE(bar, nullptr);
        clickAt(bar, {185, 8}); // the font button's left click
        settle(window);
        HWND panel = findChildById(window, quivra::window::ID_FONTPANEL);
        return panel && IsWindowVisible(panel) ? panel : nullptr;
    }
    static HWND shownMenu() {
        HWND menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu) ? menu : nullptr;
    }
    bool placeFixed() const {
        return quivra::base::IniFile(settingsFile(dir)).keyExists(u"Coords", u"FontPanel_x");
    }
};

// Each button drags the font panel by its background, and the password panel
// by its clipboard box; the right one opens no menu for a drag. A drag stores
// nothing.
TEST_F(PanelsUnderTheMouse, EveryButtonDragsAPanelAndStoresNothing) {
    HWND font = openFontPanel();
    ASSERT_NE(font, nullptr) << "the font panel did not open";
    const struct {
        const char* button;
        DWORD down, up;
    } buttons[] = {
        {"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
        {"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
        {"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
    };
    const auto dragsBy = [&](HWND panel, HWND grip, const auto& b) {
        const POINT before = placeInParent(panel);
        const RECT at = screenRect(grip);
        mouseDrag({at.left + 5, at.top + 5}, b.down, b.up);
        settle(window);
        EXPECT_EQ(placeInParent(panel).x, before.x + 30) << b.button;
        EXPECT_EQ(placeInParent(panel).y, before.y + 45) << b.button;
        EXPECT_EQ(shownMenu(), nullptr) << b.button << ": a drag opened the menu";
        // Let go, the panel stays where it is when the mouse moves on.
        mouse(MOUSEEVENTF_MOVE, {at.left + 100, at.top + 100});
        settle(window);
        EXPECT_EQ(placeInParent(panel).x, before.x + 30) << b.button << ": still dragging";
        EXPECT_TRUE(IsWindowVisible(panel)) << b.button;
    };
    for (const auto& b : buttons)
        dragsBy(font, font, b);
    EXPECT_FALSE(placeFixed());

    // Alt+D on a selection: the password panel with its clipboard box.
    focusControl(window, editor);
    SendMessageW(editor, EM_SETSEL, 0, 5);
    pressKeys(window, {VK_MENU, 'D'});
    HWND password = findChildById(window, quivra::crypto::ID_ECPANEL);
    HWND inBuffer = findChildById(window, quivra::crypto::ID_ECINBUFFER);
    ASSERT_TRUE(password && IsWindowVisible(password)) << "the password panel did not open";
    ASSERT_TRUE(inBuffer && IsWindowVisible(inBuffer));
    for (const auto& b : buttons)
        dragsBy(password, inBuffer, b);
    EXPECT_EQ(SendMessageW(inBuffer, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// A right click that stays within the drag threshold opens the panels' menu
// where the button was released, and its "Фиксация координат" keeps the place
// the panel was dragged to.
TEST_F(PanelsUnderTheMouse, ARightClickOpensTheMenuWhereItWasReleased) {
    HWND font = openFontPanel();
    ASSERT_NE(font, nullptr) << "the font panel did not open";
    RECT at = screenRect(font);
    mouseDrag({at.left + 5, at.top + 5}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    settle(window);
    const POINT dragged = placeInParent(font);

    at = screenRect(font);
    const POINT press{at.left + 20, at.top + 20};
    const POINT release{press.x + GetSystemMetrics(SM_CXDRAG), press.y};
    mouse(MOUSEEVENTF_MOVE, press);
    mouse(MOUSEEVENTF_RIGHTDOWN);
    mouse(MOUSEEVENTF_MOVE, release);
    mouse(MOUSEEVENTF_RIGHTUP);
    HWND menu = nullptr;
    ASSERT_TRUE(waitFor([&] { return (menu = shownMenu()) != nullptr; }))
        << "no menu after a right click";
    EXPECT_EQ(placeInParent(font).x, dragged.x) << "a click moved the panel";
    const RECT m = screenRect(menu);
    EXPECT_EQ(m.left, release.x);
    EXPECT_EQ(m.top, release.y);

    // The first of its two items.
    mouseClick({(m.left + m.right) / 2, m.top + (m.bottom - m.top) / 4});
    settle(window);
    ASSERT_TRUE(waitFor([&] { return placeFixed(); })) << "the place was not fixed";
    quivra::base::IniFile ini(settingsFile(dir));
    EXPECT_EQ(ini.readInteger(u"Coords", u"FontPanel_x", -1), dragged.x);
    EXPECT_EQ(ini.readInteger(u"Coords", u"FontPanel_y", -1), dragged.y);
}

} // namespace
} // namespace quivra::blackbox
