// The font panel (preview, Ok, "Отмена", leaving it, the filter) and the font
// combo of the font button's right click.
#include "editor/editor_fixture.h"

#include "editor/font_filter.h"
#include "support/box_answerer.h"
#include "support/screenshot.h"
#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;
using namespace quivra::editor;

namespace {

class FontPickerTest : public EditorFixture {
  protected:
    void SetUp() override {
        fonts = installedFonts();
        ASSERT_GE(fonts.size(), 2u);
        first = fonts[0];
        other = fonts[1];
    }
    // The note open with "Alpha" selected in the first installed font.
    void startSelected() {
        startWith({{L"A", kRtfFormatted}});
        select(0, 5);
        setFace(first);
    }
    void setFace(const std::u16string& name) {
        CHARFORMAT2W format{};
        format.dwMask = CFM_FACE;
        wcsncpy(format.szFaceName, win::toWide(name).c_str(), LF_FACESIZE - 1);
        note().setCharFormat(format);
    }
    FontPicker& picker() { return formatting().fontPicker(); }
    std::u16string face() { return win::toU16(note().charFormat().szFaceName); }
    int current(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }
    // The user moves to entry i of a list box of the panel.
    void choose(HWND list, int id, int i) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    int indexOf(const std::u16string& font) { return static_cast<int>(*fontIndex(fonts, font)); }

    std::vector<std::u16string> fonts;
    std::u16string first, other;
};

} // namespace

TEST_F(FontPickerTest, PanelPreviewsEachFontAndEscPutsTheFaceBack) {
    startSelected();
    click(bar().SelFontButton);
    auto& panel = picker().panel();
    ASSERT_TRUE(panel.shown());
    EXPECT_EQ(panel.place(), (window::Point{3, 3}));
    HWND list = picker().fontList1();
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(fonts.size()));
    EXPECT_EQ(current(list), indexOf(first));
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(picker().savedFontName(), first);
    EXPECT_FALSE(IsWindowVisible(picker().fontListFiltered()));

    choose(list, ID_FONTLIST1, indexOf(other));
    EXPECT_EQ(face(), other); // seen at once
    SendMessageW(list, WM_CHAR, 27, 1);
    EXPECT_EQ(face(), first);
    EXPECT_FALSE(panel.shown());
    EXPECT_EQ(GetFocus(), note().hwnd());
}

TEST_F(FontPickerTest, OkKeepsTheChosenFaceAndAnyOtherWayOutCancels) {
    startSelected();
    click(bar().SelFontButton);
    HWND list = picker().fontList1();
    choose(list, ID_FONTLIST1, indexOf(other));
    SendMessageW(list, WM_CHAR, 13, 1); // Enter: as Ok
    EXPECT_FALSE(picker().panel().shown());
    EXPECT_EQ(face(), other);
    EXPECT_EQ(picker().savedFontName(), other);

    // A click in the editor while the panel is open cancels.
    click(bar().SelFontButton);
    EXPECT_EQ(current(list), indexOf(other));
    choose(list, ID_FONTLIST1, indexOf(first));
    EXPECT_EQ(face(), first);
    note().focus();
    pumpMessages();
    EXPECT_FALSE(picker().panel().shown());
    EXPECT_EQ(face(), other);

    // "Отмена" too; a double click is Ok.
    click(bar().SelFontButton);
    choose(list, ID_FONTLIST1, indexOf(first));
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(ID_BTNFCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(face(), other);
    click(bar().SelFontButton);
    choose(list, ID_FONTLIST1, indexOf(first));
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(ID_FONTLIST1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(face(), first);
    EXPECT_FALSE(picker().panel().shown());
}

TEST_F(FontPickerTest, FilterListsMatchingFontsOverTheListAndTakesTheOneClicked) {
    startSelected();
    click(bar().SelFontButton);
    HWND search = picker().fontSearch();
    HWND filtered = picker().fontListFiltered();
    SetWindowTextW(search, L"left over");
    SetFocus(search); // entering the box empties it
    EXPECT_EQ(win::windowText(search), L"");
    const std::u16string typed = other.substr(0, 2);
    SetWindowTextW(search, win::toWide(typed).c_str());
    SendMessageW(search, WM_KEYUP, 'A', 0);
    EXPECT_TRUE(IsWindowVisible(filtered));
    const auto expected = filterFontNames(fonts, typed);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(SendMessageW(filtered, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected.size()));
    EXPECT_EQ(GetWindow(filtered, GW_HWNDPREV), nullptr); // in front of the main list

    // The whole filter deleted: an empty list stays in front.
    SetWindowTextW(search, L"");
    SendMessageW(search, WM_KEYUP, VK_BACK, 0);
    EXPECT_TRUE(IsWindowVisible(filtered));
    EXPECT_EQ(SendMessageW(filtered, LB_GETCOUNT, 0, 0), 0);

    SetWindowTextW(search, win::toWide(typed).c_str());
    SendMessageW(search, WM_KEYUP, 'A', 0);
    const int at =
        static_cast<int>(std::find(expected.begin(), expected.end(), other) - expected.begin());
    choose(filtered, ID_FONTLISTFILTERED, at);
    EXPECT_EQ(current(picker().fontList1()), indexOf(other));
    EXPECT_EQ(face(), other);
    EXPECT_FALSE(IsWindowVisible(filtered));
    EXPECT_EQ(win::windowText(search), L"");
    EXPECT_EQ(GetFocus(), picker().fontList1());

    // Esc in the filter box goes back to the list.
    SetFocus(search);
    SetWindowTextW(search, L"x");
    SendMessageW(search, WM_KEYUP, 'X', 0);
    SendMessageW(search, WM_CHAR, 27, 1);
    EXPECT_EQ(GetFocus(), picker().fontList1());
    EXPECT_FALSE(IsWindowVisible(filtered));
    EXPECT_EQ(win::windowText(search), L"");
    EXPECT_TRUE(picker().panel().shown());
}

TEST_F(FontPickerTest, FilteredListStaysInFrontOnScreenWhenThePanelRepaints) {
    startSelected();
    SetLayeredWindowAttributes(form->hwnd(), 0, 255, LWA_ALPHA);
    SetWindowPos(form->hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    click(bar().SelFontButton);
    HWND search = picker().fontSearch();
    HWND filtered = picker().fontListFiltered();
    SetFocus(search);
    SendMessageW(search, WM_KEYUP, VK_BACK, 0); // the filter emptied: an empty list in front
    ASSERT_TRUE(IsWindowVisible(filtered));
    // Uncovered again (another window was over it): the whole panel repaints,
    // and the full list beneath must not show through.
    RedrawWindow(picker().panel().hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    RECT r;
    GetClientRect(filtered, &r);
    MapWindowPoints(filtered, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const ScreenPixels shot = captureScreen(r);
    ASSERT_GT(shot.width * shot.height, 0);
    int painted = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            painted += shot.at(x, y) != GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(painted, 0);
}

TEST_F(FontPickerTest, OkWithoutAnInstalledFaceChosenStopsWithTheListError) {
    startSelected();
    setFace(u"No Such Font");
    click(bar().SelFontButton);
    EXPECT_EQ(current(picker().fontList1()), -1);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(ID_BTNFOK, BN_CLICKED), 0);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"List index out of bounds (-1)");
    EXPECT_TRUE(picker().panel().shown());
    EXPECT_EQ(picker().savedFontName(), u"No Such Font");
}

TEST_F(FontPickerTest, OkWithNothingChosenKeepsThePanelOpenUnderTheRealErrorBox) {
    startSelected();
    setFace(u"No Such Font");
    click(bar().SelFontButton);
    ASSERT_EQ(current(picker().fontList1()), -1);
    win::setMessageBoxHook({}); // the box the user sees, which takes the focus
    BoxAnswerer user;
    SendMessageW(picker().okButton(), BM_CLICK, 0, 0); // the mouse's click
    pumpMessages();
    ASSERT_TRUE(user.answered());
    EXPECT_EQ(user.text(), L"List index out of bounds (-1)");
    EXPECT_TRUE(user.hadFocus());
    EXPECT_TRUE(picker().panel().shown());
    EXPECT_EQ(picker().savedFontName(), u"No Such Font");
    EXPECT_EQ(face(), u"No Such Font");
    // The focus is back on "Ok"; Esc there still closes the panel as usual.
    EXPECT_EQ(GetFocus(), picker().okButton());
    SetFocus(note().hwnd());
    EXPECT_FALSE(picker().panel().shown());
}

TEST_F(FontPickerTest, RightClickDropsTheComboWithSamplesOrThePlainList) {
    startSelected();
    rightClick(bar().SelFontButton);
    HWND combo = picker().fontCombo();
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(fonts.size()));
    EXPECT_TRUE(GetWindowLongW(combo, GWL_STYLE) & CBS_OWNERDRAWVARIABLE);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), kOwnerDrawnFontItemHeight);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(indexOf(first)));
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    RECT r;
    GetWindowRect(combo, &r);
    MapWindowPoints(nullptr, GetParent(combo), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 180 - 150);
    EXPECT_EQ(r.right - r.left, 350);
    // Choosing an entry sets the face and returns to the editor.
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(indexOf(other)), 0);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(ID_FONTLIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(face(), other);
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));

    // The plain list once the option is ticked: a list of names only.
    form->settingsPage().optionBoxes().setBoxTicked(settings::ID_ISSIMPLEFONTLIST, true);
    rightClick(bar().SelFontButton);
    combo = picker().fontCombo();
    EXPECT_FALSE(GetWindowLongW(combo, GWL_STYLE) & CBS_OWNERDRAWVARIABLE);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(fonts.size()));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(indexOf(other)));
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(ID_FONTLIST, CBN_CLOSEUP),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(GetFocus(), note().hwnd());
}
