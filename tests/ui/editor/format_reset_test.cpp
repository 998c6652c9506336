// The formatting reset behind its warning on the confirmation panel.
#include "editor/editor_fixture.h"

#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;
using namespace quivra::editor;

namespace {

// Bold, red, centred, numbered and a tab: every kind of format the reset drops.
constexpr const char* kRich =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl ;\\red255\\green0\\blue0;}"
    "\\f0\\fs28\\qc\\b\\cf1 Head\\tab line\\b0\\cf0\\par\\pard"
    "{\\pntext 1)\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1\\pnindent360{\\pntxta )}}"
    "\\f1\\fs20\\i item ##[x]##\\i0\\par}";

class FormatReset : public EditorFixture {
  protected:
    window::ConfirmPanel& panel() { return form->confirmPanel(); }
    window::Point centred() {
        RECT page;
        GetClientRect(form->page(program::Page::Notes), &page);
        return {page.right / 2 - 353 / 2, page.bottom / 2 - 160 / 2};
    }
};

} // namespace

TEST_F(FormatReset, WarningAnsweredNoOrLeftChangesNothing) {
    startWith({{L"A", kRich}});
    const std::string before = note().rtf();
    command(Unformat);
    ASSERT_TRUE(panel().shown());
    EXPECT_EQ(panel().place(), centred());
    EXPECT_EQ(GetFocus(), panel().noButton());
    EXPECT_EQ(win::windowText(panel().questionLabel()),
              L"Сброс форматирования приведет к необратимой потере форматирования!\r\n"
              L"Вы действительно хотите убрать форматирование?");
    EXPECT_EQ(win::windowText(panel().headingLabel()), L"Внимание!");
    EXPECT_EQ(win::windowText(panel().yesButton()), L"Да");

    SendMessageW(panel().noButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_EQ(note().rtf(), before);

    // Enter right away answers with the focused "Нет"; Esc, even on "Да",
    // answers "Нет" and gives the editor the focus back.
    command(Unformat);
    SendMessageW(panel().noButton(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(note().rtf(), before);
    command(Unformat);
    SetFocus(panel().yesButton());
    SendMessageW(panel().yesButton(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_EQ(note().rtf(), before);

    // A click elsewhere only hides it.
    command(Unformat);
    SetFocus(form->notes().lists().listBox());
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(note().rtf(), before);
    SendMessageW(panel().yesButton(), BM_CLICK, 0, 0); // a stale answer does nothing
    EXPECT_EQ(note().rtf(), before);
}

TEST_F(FormatReset, YesLeavesTheSameTextInTheDefaultLook) {
    startWith({{L"A", kRich}});
    const std::u16string text = note().text();
    ASSERT_EQ(text.substr(0, 10), u"Head\tline\r");
    note().setModified(false);
    command(Unformat);
    SendMessageW(panel().yesButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_EQ(note().text(), text);
    EXPECT_TRUE(note().modified()); // saved by the note's usual rules
    select(0, -1);
    const CHARFORMAT2W c = note().charFormat();
    EXPECT_TRUE(c.dwMask & CFM_FACE);
    EXPECT_STREQ(c.szFaceName, L"Tahoma");
    EXPECT_TRUE(c.dwMask & CFM_SIZE);
    EXPECT_EQ(c.yHeight, 160);
    EXPECT_TRUE(c.dwEffects & CFE_AUTOCOLOR);
    EXPECT_TRUE(c.dwMask & CFM_BOLD);
    EXPECT_FALSE(c.dwEffects & (CFE_BOLD | CFE_ITALIC));
    for (long at : {0L, static_cast<long>(text.size()) - 1}) {
        select(at, at);
        EXPECT_EQ(note().paraFormat().wAlignment, PFA_LEFT) << at;
        EXPECT_EQ(note().paraFormat().wNumbering, 0) << at;
    }
}

TEST_F(FormatReset, ReadOnlyDisablesItAndItOpensCentredWhereverThePanelWasFixed) {
    addNote(L"B", kRtfA);
    base::IniFile(notesDir() / L"notessettings.ini").writeString(u"B", u"ReadOnly", u"1");
    startWith({{L"A", kRich}});
    folder.settings().writeString(u"Coords", u"ConfirmPanel_x", u"5");
    folder.settings().writeString(u"Coords", u"ConFirmPanel_y", u"6");
    // The delete confirmation opens at the fixed place ...
    panel().ask(
        u"?", [] {}, window::ConfirmPanel::Place::FixedOrDefault);
    EXPECT_EQ(panel().place(), (window::Point{5, 6}));
    SendMessageW(panel().noButton(), BM_CLICK, 0, 0);
    // ... the reset's warning centred.
    command(Unformat);
    EXPECT_EQ(panel().place(), centred());
    SendMessageW(panel().noButton(), BM_CLICK, 0, 0);

    open(L"B");
    EXPECT_TRUE(GetMenuState(form->notes().notesMenu(), Unformat, MF_BYCOMMAND) & MF_GRAYED);
    // Refused as a shortcut's command would be.
    form->presenter().PeriodicRefresh();
    command(Unformat, 1);
    EXPECT_FALSE(panel().shown());
}
