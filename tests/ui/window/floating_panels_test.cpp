// A floating panel opens at its fixed or default place; its menu fixes and
// resets the places of the panels on the screen.
#include "support/program_folder.h"

#include "settings/keys.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;
using window::FloatingPanel;
using window::FloatingPanelWindow;
using window::Point;

TEST(FloatingPanels, FixedPlaceIsUsedUntilResetAndResizeReplacesWithoutForgetting) {
    ProgramFolder folder;
    auto form = folder.start();
    auto& panels = form->presenter().panels();
    // The font panel is the editor's; the name panel stands in for the note
    // commands' own.
    FloatingPanelWindow& font = form->formatting().fontPicker().panel();
    FloatingPanelWindow name(FloatingPanel::Name);
    ASSERT_TRUE(
        name.create(form->page(program::Page::Notes), form->hwnd(), window::ID_NAMEPANEL, 96));
    panels.add(name);

    panels.open(font);
    EXPECT_TRUE(font.shown());
    EXPECT_EQ(font.place(), (Point{3, 3}));
    font.moveTo({50, 60}); // where the user dragged it
    SendMessageW(form->hwnd(), WM_COMMAND, window::A2, 0);
    auto ini = folder.settings();
    EXPECT_EQ(ini.readInteger(u"Coords", u"FontPanel_x", -1), 50);
    EXPECT_EQ(ini.readInteger(u"Coords", u"FontPanel_y", -1), 60);
    EXPECT_FALSE(ini.keyExists(u"Coords", u"EditPanel_x")); // not shown: not fixed
    ShowWindow(font.hwnd(), SW_HIDE);
    panels.open(font);
    EXPECT_EQ(font.place(), (Point{50, 60}));

    // A resize puts it at its default place but keeps the fixed one.
    panels.placeAfterResize();
    EXPECT_EQ(font.place(), (Point{3, 3}));
    EXPECT_TRUE(ini.keyExists(u"Coords", u"FontPanel_x"));

    // "Сброс координат" forgets it.
    font.moveTo({70, 80});
    SendMessageW(form->hwnd(), WM_COMMAND, window::N44, 0);
    EXPECT_EQ(font.place(), (Point{3, 3}));
    EXPECT_FALSE(ini.keyExists(u"Coords", u"FontPanel_x"));

    // A key that is not a number gives the default place; the name panel is
    // centred on the notes page.
    ini.writeString(u"Coords", u"EditPanel_x", u"abc");
    panels.open(name);
    RECT page;
    GetClientRect(form->page(program::Page::Notes), &page);
    EXPECT_EQ(name.place(), (Point{page.right / 2 - 303 / 2, page.bottom / 2 - 86 / 2}));
}
