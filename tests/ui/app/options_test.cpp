// Options of the settings page that reach outside the page: skins and the
// donation reminder.
#include "support/program_folder.h"

#include "donation/adv_form_win.h"
#include "donation/d_form_win.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

void chooseSkin(app::TMainForm& form, const wchar_t* name) {
    HWND list = form.settingsPage().control(settings::ID_SKINSLIST);
    // The empty entry is the first; the list's search finds no empty text.
    const auto i = *name ? SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(name))
                         : 0;
    ASSERT_GE(i, 0) << "skin not listed";
    SendMessageW(list, CB_SETCURSEL, i, 0);
    SendMessageW(form.page(program::Page::Settings), WM_COMMAND,
                 MAKEWPARAM(settings::ID_SKINSLIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

} // namespace

TEST(Options, ChoosingASkinKeepsTheNoteUnchangedAndUnmodified) {
    ProgramFolder folder;
    folder.copySkins();
    auto form = folder.start();
    auto& note = form->note();
    note.setRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 plain \\b bold\\b0  "
                "\\i italic\\i0\\par}");
    note.setModified(false);
    const std::u16string text = note.text();
    const std::string before = note.rtf();
    for (const wchar_t* skin : {L"Graphite", L"Paper", L""}) {
        chooseSkin(*form, skin);
        EXPECT_EQ(note.text(), text);
        EXPECT_EQ(note.rtf(), before);
        EXPECT_FALSE(note.modified());
        EXPECT_EQ(folder.settings().readString(u"Options", u"SkinName", u"?"),
                  std::u16string(skin, skin + wcslen(skin)));
    }
}

TEST(Options, SkinListIsRefreshedByAClickOnItsLabel) {
    ProgramFolder folder;
    auto form = folder.start();
    HWND list = form->settingsPage().control(settings::ID_SKINSLIST);
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 1); // the empty entry only
    folder.copySkins();
    HWND label = form->settingsPage().control(settings::ID_SLABEL6);
    SendMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(settings::ID_SLABEL6, STN_CLICKED),
                 reinterpret_cast<LPARAM>(label));
    EXPECT_GE(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
}

TEST(Options, DonationReminderShowsFromTheThirdDayUntilSwitchedOff) {
    struct Case {
        const char16_t* startDate;
        bool shown;
    };
    const Case cases[] = {{u"09.12.2026", false},
                          {u"08.12.2026", false},
                          {u"07.12.2026", true},
                          {u"20.12.2026", true}};
    for (const auto& c : cases) {
        ProgramFolder folder;
        folder.option(u"StartDate", c.startDate);
        auto form = folder.start();
        SendMessageW(form->hwnd(), WM_TIMER, donation::AdvTimer, 0);
        EXPECT_EQ(form->donation().advForm().isShowing(), c.shown)
            << std::string(c.startDate, c.startDate + 10) << " days " << form->state().DaysInUse;
        EXPECT_FALSE(form->donation().reminderTimerEnabled());
    }

    ProgramFolder folder;
    folder.option(u"StartDate", u"01.12.2026");
    auto form = folder.start();
    SendMessageW(form->hwnd(), WM_TIMER, donation::AdvTimer, 0);
    ASSERT_TRUE(form->donation().advForm().isShowing());
    SendMessageW(GetDlgItem(form->donation().advForm().hwnd(), donation::TAdvForm::Adv_no),
                 BM_CLICK, 0, 0);
    EXPECT_FALSE(form->donation().advForm().isShowing());
    EXPECT_EQ(folder.settings().readString(u"Options", u"NoAdv", u""), u"1");
    form.reset();
    form = folder.start();
    SendMessageW(form->hwnd(), WM_TIMER, donation::AdvTimer, 0);
    EXPECT_FALSE(form->donation().advForm().isShowing());
}

TEST(Options, SettingsPageIsMadeWhenFirstShownAndShowsTheOptionsReadAtStart) {
    ProgramFolder folder;
    folder.option(u"Opacity", u"$80");
    folder.option(u"DelayShow", u"500");
    folder.option(u"Placement", u"2");
    folder.option(u"DoubleClick", u"1");
    folder.option(u"BorderColor", u"clTeal");
    folder.option(u"CustomBrowser", u"C:\\browser.exe");
    auto form = folder.start();
    auto& page = form->settingsPage();
    EXPECT_FALSE(page.built());
    // The options work before the page exists.
    EXPECT_EQ(page.sliderPosition(settings::ID_OPVAL), 128);
    EXPECT_EQ(page.sliderPosition(settings::ID_DELAYSHOWBAR), 100);
    EXPECT_TRUE(page.ticked(settings::ID_ISDBLCLICK));
    form->showPage(program::Page::Settings);
    ASSERT_TRUE(page.built());
    EXPECT_EQ(SendMessageW(page.control(settings::ID_OPVAL), TBM_GETPOS, 0, 0), 128);
    EXPECT_EQ(SendMessageW(page.control(settings::ID_DELAYSHOWBAR), TBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessageW(page.control(settings::ID_PLACE), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(win::isChecked(page.control(settings::ID_ISDBLCLICK)));
    EXPECT_TRUE(win::isChecked(page.control(settings::ID_ISTRAYICON)));
    EXPECT_EQ(win::windowText(page.control(settings::ID_CUSTOMBROWSERPATH)), L"C:\\browser.exe");
    EXPECT_EQ(win::windowText(page.control(settings::ID_DATADIRV)), L"PC_user");
    wchar_t colour[32]{};
    HWND colours = page.control(settings::ID_BVLCOLOR);
    SendMessageW(colours, CB_GETLBTEXT, SendMessageW(colours, CB_GETCURSEL, 0, 0),
                 reinterpret_cast<LPARAM>(colour));
    EXPECT_STREQ(colour, L"clTeal");
    // And the controls change the options from then on.
    SendMessageW(page.control(settings::ID_ISDBLCLICK), BM_CLICK, 0, 0);
    EXPECT_FALSE(page.ticked(settings::ID_ISDBLCLICK));
    EXPECT_EQ(folder.settings().readString(u"Options", u"DoubleClick", u""), u"0");
}
