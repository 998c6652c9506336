// Screenshots of the main window's pages for the documentation; runs only
// when QUIVRA_SCREENSHOTS names a folder (scripts/screenshots.sh does that).
#include "support/program_folder.h"
#include "support/screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;

TEST(Screenshots, MainWindowPages) {
    const auto out = screenshotFolder();
    if (!out)
        GTEST_SKIP() << "QUIVRA_SCREENSHOTS not set";
    ProgramFolder folder;
    folder.option(u"ListWidth", u"120");
    std::filesystem::create_directories(folder.data() / L"Notes" / L"PC_user");
    for (const wchar_t* n : {L"Пароли", L"Планы", L"Рецепты"})
        writeFile(folder.data() / L"Notes" / L"PC_user" / (std::wstring(n) + L".note"), "x");
    auto form = folder.start();
    SendMessageW(form->control(app::ID_NOTESNAMESLIST), CB_SETCURSEL, 1, 0);
    SendMessageW(form->control(app::ID_NOTESLB), LB_SETCURSEL, 1, 0);
    SetLayeredWindowAttributes(form->hwnd(), 0, 255, LWA_ALPHA);
    SetWindowPos(form->hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    form->showPage(app::kNotesPage);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\notes-page.bmp"));
    form->showPage(app::kSettingsPage);
    const wchar_t* tabs[] = {L"settings-general.bmp", L"settings-notes.bmp", L"settings-view.bmp"};
    for (int i = 0; i < 3; ++i) {
        form->settingsPage().selectTab(i);
        EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\" + tabs[i]));
    }
    form->showPage(app::kHelpPage);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\help-page.bmp"));
    form->showPage(app::kAboutPage);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\about-page.bmp"));
}
