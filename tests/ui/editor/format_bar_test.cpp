// The format bar against the real editor: the style, alignment and size
// commands, the bar's mirror of the caret, its enabled states, the format
// shortcuts and the bar's place in the editor area.
#include "editor/editor_fixture.h"

using namespace quivra;
using namespace quivra::test;
using editor::FormatBar;

namespace {

constexpr DWORD kStyles = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT;

class FormatBarTest : public EditorFixture {};

} // namespace

TEST_F(FormatBarTest, StyleButtonsChangeTheirStyleOverTheOthersAndLeaveTheFocusInTheEditor) {
    startWith({{L"A", kRtfFormatted}});
    select(0, 5); // "Alpha", italic
    note().setModified(false);
    click(bar().BoldButton);
    EXPECT_TRUE(down(bar().BoldButton));
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_TRUE(note().modified());
    click(bar().UnderButton);
    click(bar().StrikeButton);
    EXPECT_EQ(effects() & kStyles, kStyles);
    click(bar().BoldButton); // released
    // The click flips the button as the refresh last set it: down over italic.
    refresh();
    EXPECT_TRUE(down(bar().ItaButton));
    click(bar().ItaButton);
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_UNDERLINE | CFE_STRIKEOUT));
    // A button pressed over a selection of mixed styles gives all of it the style.
    select(0, 10);
    bar().BoldButton.setDown(false);
    click(bar().BoldButton);
    EXPECT_TRUE(note().charFormat().dwMask & CFM_BOLD);
    EXPECT_TRUE(effects() & CFE_BOLD);
}

TEST_F(FormatBarTest, AlignmentButtonsAreOneRadioGroupOverTheSelectedParagraphs) {
    startWith({{L"A", kRtfFormatted}});
    EXPECT_TRUE(down(bar().AlLeft));
    select(2, 8); // "Alpha" and "Beta"
    click(bar().AlRight);
    EXPECT_TRUE(down(bar().AlRight));
    EXPECT_FALSE(down(bar().AlLeft));
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_RIGHT);
    select(0, 0);
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_RIGHT);
    click(bar().AlCenter);
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_CENTER);
    EXPECT_FALSE(down(bar().AlRight));
    click(bar().AlLeft);
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_LEFT);
    select(12, 12); // "Gamma" was never touched
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_LEFT);
}

TEST_F(FormatBarTest, SizeBoxTakesAnyTypedIntegerOnEnterAndRefusesOtherText) {
    startWith({{L"A", kRtfFormatted}});
    HWND box = bar().SelFontSize.make();
    HWND typed = FindWindowExW(box, nullptr, L"Edit", nullptr);
    ASSERT_NE(typed, nullptr);
    select(0, 5);
    SetWindowTextW(box, L"16"); // not in the list
    SetFocus(typed);
    SendMessageW(typed, WM_CHAR, 13, 1);
    EXPECT_EQ(note().charFormat().yHeight, 320);
    EXPECT_EQ(GetFocus(), note().hwnd());

    SetWindowTextW(box, L"abc");
    SendMessageW(typed, WM_CHAR, 13, 1);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"'abc' is not a valid integer value");
    EXPECT_EQ(note().charFormat().yHeight, 320);
    EXPECT_EQ(sizeBoxText(), L"abc");

    // Choosing from the list: the item's size, although the box showed text.
    SendMessageW(box, CB_SETCURSEL, 5, 0); // "24"
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(editor::ID_SELFONTSIZE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(note().charFormat().yHeight, 480);
    EXPECT_EQ(sizeBoxText(), L"24");
}

TEST_F(FormatBarTest, SizeBoxTakesTypedTextWiderThanItselfAndTheErrorNamesItAll) {
    startWith({{L"A", kRtfFormatted}});
    HWND box = bar().SelFontSize.make();
    HWND typed = FindWindowExW(box, nullptr, L"Edit", nullptr);
    ASSERT_NE(typed, nullptr);
    SetFocus(typed);
    SendMessageW(typed, EM_SETSEL, 0, -1);
    const std::wstring text = L"двенадцать с половиной";
    for (wchar_t c : text)
        SendMessageW(typed, WM_CHAR, c, 1);
    EXPECT_EQ(sizeBoxText(), text);
    SendMessageW(typed, WM_CHAR, 13, 1);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"'" + text + L"' is not a valid integer value");
}

TEST_F(FormatBarTest, RefreshMirrorsTheCaretOnlyWhileTheEditorHasTheFocus) {
    startWith({{L"A", kRtfFormatted}});
    select(7, 7); // in "Beta": bold, centred
    refresh();
    EXPECT_TRUE(down(bar().BoldButton));
    EXPECT_FALSE(down(bar().ItaButton));
    EXPECT_TRUE(down(bar().AlCenter));
    EXPECT_EQ(sizeBoxText(), L"8");
    EXPECT_EQ(bar().stripColour(), GetSysColor(COLOR_WINDOWTEXT)); // automatic colour

    select(13, 13); // in "Gamma": red, 14 pt, left
    refresh();
    EXPECT_FALSE(down(bar().BoldButton));
    EXPECT_TRUE(down(bar().AlLeft));
    EXPECT_EQ(sizeBoxText(), L"14");
    EXPECT_EQ(bar().stripColour(), RGB(255, 0, 0));

    // Justified text leaves the alignment buttons as they were.
    PARAFORMAT2 justified{};
    justified.dwMask = PFM_ALIGNMENT;
    justified.wAlignment = PFA_JUSTIFY;
    note().setParaFormat(justified);
    click(bar().AlRight);
    note().setParaFormat(justified);
    refresh();
    EXPECT_TRUE(down(bar().AlRight));

    // Without the focus nothing is mirrored.
    SetFocus(form->notes().lists().listBox());
    select(2, 2); // italic "Alpha"
    refresh();
    EXPECT_FALSE(down(bar().ItaButton));
    EXPECT_EQ(sizeBoxText(), L"14");
    EXPECT_EQ(bar().stripColour(), RGB(255, 0, 0));
}

TEST_F(FormatBarTest, ButtonsFollowReadOnlyAndTheFocusWhileShortcutsStillWork) {
    addNote(L"B", kRtfFormatted);
    base::IniFile(notesDir() / L"notessettings.ini").writeString(u"B", u"ReadOnly", u"1");
    startWith({{L"A", kRtfFormatted}});
    const auto enabledCount = [this] {
        int n = 0;
        for (auto* b : bar().elevenButtons())
            n += b->enabled();
        return n;
    };
    const auto unformatEnabled = [this] {
        return !(GetMenuState(form->notes().notesMenu(), editor::Unformat, MF_BYCOMMAND) &
                 MF_GRAYED);
    };
    EXPECT_EQ(enabledCount(), 11);
    EXPECT_TRUE(unformatEnabled());
    refresh();
    EXPECT_TRUE(bar().AdvancedButton.enabled());
    EXPECT_TRUE(IsWindowEnabled(bar().SelFontSize.hwnd()));

    // The focus elsewhere: the eleven and "..." go grey, the size box stays.
    SetFocus(form->notes().lists().listBox());
    EXPECT_EQ(enabledCount(), 0);
    refresh();
    EXPECT_FALSE(bar().AdvancedButton.enabled());
    EXPECT_TRUE(IsWindowEnabled(bar().SelFontSize.hwnd()));
    note().focus();
    EXPECT_EQ(enabledCount(), 11);

    // A read-only note keeps them grey even with the focus.
    open(L"B");
    note().focus();
    EXPECT_EQ(enabledCount(), 0);
    EXPECT_FALSE(IsWindowEnabled(bar().SelFontSize.hwnd()));
    EXPECT_FALSE(unformatEnabled());
    // The refresh enables the size box again, and shortcuts work.
    refresh();
    EXPECT_TRUE(IsWindowEnabled(bar().SelFontSize.hwnd()));
    select(0, 5);
    press(note().hwnd(), 'B', true);
    EXPECT_TRUE(effects() & CFE_BOLD);
    SetWindowTextW(bar().SelFontSize.hwnd(), L"20");
    formatting().SelFontSizeSelect();
    EXPECT_EQ(note().charFormat().yHeight, 400);
    // Switching read-only off enables them at once.
    form->notes().view().sett_roClick();
    EXPECT_EQ(enabledCount(), 11);
    EXPECT_TRUE(unformatEnabled());
}

TEST_F(FormatBarTest, FormatShortcutsActOnTheFocusedRichTextView) {
    startWith({{L"A", kRtfFormatted}});
    select(0, 5);
    press(note().hwnd(), 'B', true);
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    press(note().hwnd(), 'B', true);
    press(note().hwnd(), 'I', true);
    press(note().hwnd(), 'U', true);
    command(editor::act_strikeout, 1); // no key of its own
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_UNDERLINE | CFE_STRIKEOUT));
    press(note().hwnd(), 'E', true);
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_CENTER);
    press(note().hwnd(), 'R', true);
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_RIGHT);
    press(note().hwnd(), 'L', true);
    EXPECT_EQ(note().paraFormat().wAlignment, PFA_LEFT);
    EXPECT_EQ(note().text().substr(0, 5), u"Alpha"); // no key reached the text

    // Another rich-text view with the focus takes them instead of the editor.
    document::RichEdit other;
    ASSERT_TRUE(other.create(GetParent(note().hwnd()), 0, RECT{0, 200, 100, 260}));
    formatting().viewMade(other);
    other.replaceSelection(u"view");
    other.setSelection({0, -1});
    other.focus();
    press(other.hwnd(), 'B', true);
    EXPECT_TRUE(other.charFormat().dwEffects & CFE_BOLD);
    EXPECT_FALSE(effects() & CFE_BOLD);
    // Nothing happens where no rich-text view has the focus.
    SetFocus(form->notes().lists().listBox());
    press(form->notes().lists().listBox(), 'B', true);
    EXPECT_FALSE(effects() & CFE_BOLD);
    EXPECT_TRUE(other.charFormat().dwEffects & CFE_BOLD);
}

TEST_F(FormatBarTest, BarLiesOverTheEditorWhileTheNoteShowsIt) {
    addNote(L"B", kRtfA);
    base::IniFile(notesDir() / L"notessettings.ini").writeString(u"B", u"ShowFormatBar", u"0");
    startWith({{L"A", kRtfA}});
    const auto editorTop = [this] {
        RECT r;
        GetWindowRect(note().hwnd(), &r);
        MapWindowPoints(nullptr, GetParent(note().hwnd()), reinterpret_cast<POINT*>(&r), 2);
        return r.top;
    };
    EXPECT_TRUE(bar().shown());
    EXPECT_EQ(editorTop(), FormatBar::kHeight);
    RECT b;
    GetClientRect(bar().hwnd(), &b);
    EXPECT_EQ(b.bottom, FormatBar::kHeight);
    RECT area;
    GetClientRect(GetParent(note().hwnd()), &area);
    EXPECT_EQ(b.right, area.right);

    form->notes().view().ShowToolBarClick();
    EXPECT_FALSE(bar().shown());
    EXPECT_EQ(editorTop(), 0);
    form->notes().view().ShowToolBarClick();
    EXPECT_TRUE(bar().shown());
    EXPECT_EQ(editorTop(), FormatBar::kHeight);

    open(L"B"); // its own setting: no bar
    EXPECT_FALSE(bar().shown());
    EXPECT_EQ(editorTop(), 0);
    open(L"A");
    EXPECT_TRUE(bar().shown());
}

TEST_F(FormatBarTest, WithNoNoteOpenOnlyTheAdditionalMenuButtonTakesClicks) {
    start();
    for (auto* b : bar().elevenButtons())
        EXPECT_FALSE(b->enabled());
    EXPECT_TRUE(bar().AdvancedButton.enabled());
    const bool wasDown = down(bar().BoldButton);
    click(bar().BoldButton);
    EXPECT_EQ(down(bar().BoldButton), wasDown);
}

TEST_F(FormatBarTest, APressTakenOffItsButtonBeforeTheReleaseClicksNothing) {
    startWith({{L"A", kRtfFormatted}});
    select(6, 10); // "Beta", bold
    refresh();
    ASSERT_TRUE(down(bar().BoldButton));
    mouseOn(bar().BoldButton, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), bar().hwnd());
    mouseOn(bar().ItaButton, WM_MOUSEMOVE, MK_LBUTTON);
    mouseOn(bar().ItaButton, WM_LBUTTONUP, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(down(bar().BoldButton));
    EXPECT_FALSE(down(bar().ItaButton));
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_BOLD));
    // A press and release between the buttons is no click either.
    SendMessageW(bar().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 12));
    SendMessageW(bar().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 12));
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_BOLD));
    // A quick second click is a second click, not a double one.
    mouseOn(bar().BoldButton, WM_LBUTTONDOWN, MK_LBUTTON);
    mouseOn(bar().BoldButton, WM_LBUTTONUP, 0);
    mouseOn(bar().BoldButton, WM_LBUTTONDBLCLK, MK_LBUTTON);
    mouseOn(bar().BoldButton, WM_LBUTTONUP, 0);
    EXPECT_EQ(effects() & kStyles, static_cast<DWORD>(CFE_BOLD));
}
