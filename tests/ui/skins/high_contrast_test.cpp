// High contrast switched on while the program runs with a skin: the window's
// panels, bars and controls go over to the system's colours, and the skin
// comes back when it is switched off.
#include "support/program_folder.h"

#include "skins/skin_engine_win.h"
#include "win/high_contrast_win.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;

namespace {

bool highContrastOn = false;

// The setting as the tests switch it; the system's again afterwards.
struct SwitchedHighContrast {
    SwitchedHighContrast() {
        win::setHighContrastSource([] { return highContrastOn; });
    }
    ~SwitchedHighContrast() {
        win::setHighContrastSource(nullptr);
        win::readHighContrastAgain();
    }
    SwitchedHighContrast(const SwitchedHighContrast&) = delete;
    SwitchedHighContrast& operator=(const SwitchedHighContrast&) = delete;
    // As the system tells every top-level window.
    void set(HWND window, bool on) const {
        highContrastOn = on;
        SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    }
};

// What a panel's background and an edit box's colours are painted with.
struct Painted {
    COLORREF panel;
    COLORREF editBack;
    COLORREF editText;
};

Painted paintedColours(app::TMainForm& form) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(dc, bitmap);
    // The format bar asks the window to paint its background.
    SendMessageW(form.formatting().bar().hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Painted p{GetPixel(dc, 1, 1), 0, 0};
    HWND edit = form.notes().lists().quickAddField();
    SendMessageW(GetParent(edit), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(edit));
    p.editBack = GetBkColor(dc);
    p.editText = GetTextColor(dc);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return p;
}

} // namespace

TEST(HighContrast, TheSkinGivesWayToTheSystemColoursWhileItIsOn) {
    SwitchedHighContrast highContrast;
    ProgramFolder folder;
    folder.copySkins();
    auto form = folder.start();
    skins::switchSkin(L"Graphite", form->hwnd());
    const auto skin = skins::skinEngine().colors();
    ASSERT_TRUE(skin.has_value());

    const Painted skinned = paintedColours(*form);
    EXPECT_EQ(skinned.panel, skin->window);
    EXPECT_EQ(skinned.editBack, skin->control);

    highContrast.set(form->hwnd(), true);
    EXPECT_FALSE(skins::skinEngine().isActive());
    const Painted system = paintedColours(*form);
    EXPECT_EQ(system.panel, GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(system.editBack, skin->control);
    EXPECT_NE(system.editText, skin->controlText);

    highContrast.set(form->hwnd(), false);
    const Painted back = paintedColours(*form);
    EXPECT_EQ(back.panel, skin->window);
    EXPECT_EQ(back.editBack, skin->control);
}
