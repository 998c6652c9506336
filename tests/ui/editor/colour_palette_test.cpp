// The colour palette of the two colour buttons: where it opens, what a pick
// does to the selection and to the per-note record, and how it closes.
#include "editor/editor_fixture.h"
#include "support/box_answerer.h"

using namespace quivra;
using namespace quivra::test;

namespace {

class ColourPaletteTest : public EditorFixture {
  protected:
    editor::ColourPalette& palette() { return formatting().palette(); }
    RECT paletteRect() {
        RECT r;
        GetWindowRect(palette().hwnd(), &r);
        MapWindowPoints(nullptr, GetParent(palette().hwnd()), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void pick(std::size_t i) { pickSwatch(i); }
};

} // namespace

TEST_F(ColourPaletteTest, PicksColourTheSelectionAndRecordTheColoursNameForTheNote) {
    startWith({{L"Дела", kRtfFormatted}});
    select(0, 5);
    click(bar().SelFontColorButton);
    ASSERT_TRUE(palette().shown());
    EXPECT_EQ(palette().mode(), editor::PaletteMode::TextColour);
    EXPECT_EQ(GetFocus(), palette().hwnd());
    // Under the bar, left of the button by 45 px.
    const RECT r = paletteRect();
    EXPECT_EQ(r.left, 204 - 45);
    EXPECT_EQ(r.top, editor::FormatBar::kHeight);
    EXPECT_EQ(r.right - r.left, editor::kPaletteSize);
    EXPECT_EQ(r.bottom - r.top, editor::kPaletteSize);
    // The bar covers the palette, and the palette the editor.
    EXPECT_EQ(GetWindow(bar().hwnd(), GW_HWNDNEXT), palette().hwnd());

    pick(9); // clRed
    const CHARFORMAT2W red = note().charFormat();
    EXPECT_FALSE(red.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(red.crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_FALSE(palette().shown()); // closed as the editor took the focus
    EXPECT_EQ(noteSettings().readString(u"Дела", u"FontColor", u""), u"clRed");

    click(bar().BGColorButton);
    EXPECT_EQ(palette().mode(), editor::PaletteMode::Background);
    EXPECT_EQ(paletteRect().left, 226 - 45);
    pick(14); // clAqua
    EXPECT_EQ(note().charFormat().crBackColor, RGB(0, 255, 255));
    EXPECT_FALSE(note().charFormat().dwEffects & CFE_AUTOBACKCOLOR);
    EXPECT_EQ(noteSettings().readString(u"Дела", u"NoteBGColor", u""), u"clAqua");
    EXPECT_EQ(noteSettings().readString(u"Дела", u"FontColor", u""), u"clRed");
}

TEST_F(ColourPaletteTest, RightClickGivesTheAutomaticColourAndLeavingPicksNothing) {
    folder.option(u"UseAnimation", u"0");
    startWith({{L"A", kRtfFormatted}});
    select(11, 16); // red "Gamma"
    rightClick(bar().SelFontColorButton);
    EXPECT_TRUE(note().charFormat().dwEffects & CFE_AUTOCOLOR);
    EXPECT_FALSE(palette().shown());
    EXPECT_FALSE(noteSettings().keyExists(u"A", u"FontColor"));

    // Opened, then the focus goes elsewhere: the palette hides, nothing changes.
    click(bar().SelFontColorButton);
    ASSERT_TRUE(palette().shown());
    EXPECT_EQ(paletteRect().top, editor::FormatBar::kHeight);
    SetFocus(form->notes().lists().listBox());
    pumpMessages();
    EXPECT_FALSE(palette().shown());
    EXPECT_TRUE(note().charFormat().dwEffects & CFE_AUTOCOLOR);
    EXPECT_FALSE(noteSettings().keyExists(u"A", u"FontColor"));
    // The mode stays as last set.
    EXPECT_EQ(palette().mode(), editor::PaletteMode::TextColour);
}

TEST_F(ColourPaletteTest, StripPickWithNoNoteOpenClosesThePaletteWithoutAnError) {
    folder.option(u"UseAnimation", u"0");
    addNote(L"A", kRtfFormatted);
    start();
    ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
    ASSERT_FALSE(IsWindowEnabled(note().hwnd()));
    EXPECT_TRUE(IsWindowEnabled(bar().colValue.hwnd())); // the strip is never disabled
    {
        BoxAnswerer user(IDCANCEL); // the colour dialog, left without a choice
        SendMessageW(bar().colValue.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
        SendMessageW(bar().colValue.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
        pumpMessages();
        EXPECT_TRUE(user.answered());
    }
    ASSERT_TRUE(palette().shown());
    pick(9);
    EXPECT_TRUE(folder.boxes.empty());
    EXPECT_FALSE(palette().shown());
    EXPECT_EQ(note().text(), u"");
}

// From the keyboard: the arrows move over the swatches, Enter picks, Esc
// gives the focus back to the editor and picks nothing; the window stays.
TEST_F(ColourPaletteTest, KeysMoveOverTheSwatchesPickAndLeave) {
    folder.option(u"UseAnimation", u"0");
    startWith({{L"A", kRtfFormatted}});
    select(0, 5);
    const auto press = [&](WPARAM key) {
        SendMessageW(palette().hwnd(), WM_KEYDOWN, key, 0);
        pumpMessages();
    };
    click(bar().SelFontColorButton);
    ASSERT_EQ(GetFocus(), palette().hwnd());
    EXPECT_EQ(SendMessageW(palette().hwnd(), WM_GETDLGCODE, VK_ESCAPE, 0) & DLGC_WANTALLKEYS,
              DLGC_WANTALLKEYS);
    // From the first swatch: two rows down and one column right is clRed
    // (index 9); the grid's edges hold the frame.
    for (WPARAM key : {VK_LEFT, VK_UP, VK_DOWN, VK_DOWN, VK_RIGHT})
        press(key);
    press(VK_RETURN);
    EXPECT_EQ(note().charFormat().crTextColor, RGB(255, 0, 0));
    EXPECT_FALSE(palette().shown());

    const CHARFORMAT2W before = note().charFormat();
    click(bar().BGColorButton);
    ASSERT_TRUE(palette().shown());
    press(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_FALSE(palette().shown());
    EXPECT_EQ(note().charFormat().crBackColor, before.crBackColor);
    EXPECT_EQ(note().charFormat().dwEffects & CFE_AUTOBACKCOLOR,
              before.dwEffects & CFE_AUTOBACKCOLOR);
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
}
