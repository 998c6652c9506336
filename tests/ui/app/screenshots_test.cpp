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
    const auto notes = folder.data() / L"Notes" / L"PC_user";
    writeFile(notes / L"Пароли.note", "x");
    writeFile(notes / L"Рецепты.note",
              "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0\\fs16"
              "\\'d1\\'fb\\'f0\\'ed\\'e8\\'ea\\'e8\\par}");
    writeFile(notes / L"Планы.note",
              "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Tahoma;}}"
              "{\\colortbl ;\\red0\\green0\\blue192;}\\f0\\fs16"
              "\\b \\'cf\\'eb\\'e0\\'ed \\'ed\\'e0 \\'ed\\'e5\\'e4\\'e5\\'eb\\'fe\\b0\\par"
              "\\cf1 - \\'ef\\'ee\\'ea\\'f3\\'ef\\'ea\\'e8\\cf0\\par"
              "- \\i\\'e2\\'f1\\'f2\\'f0\\'e5\\'f7\\'e0\\i0  10:00\\par}");
    auto form = folder.start();
    SendMessageW(form->notes().lists().namesList(), CB_SETCURSEL,
                 SendMessageW(form->notes().lists().namesList(), CB_FINDSTRINGEXACT,
                              static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Планы")),
                 0);
    form->notes().OpenNote();
    SetLayeredWindowAttributes(form->hwnd(), 0, 255, LWA_ALPHA);
    SetWindowPos(form->hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    form->showPage(program::Page::Notes);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\notes-page.bmp"));
    // The second view on another note, a search with its result lines, and
    // the name panel of the add command.
    HWND chooser = form->notes().secondView().chooser();
    SendMessageW(chooser, CB_SETCURSEL,
                 SendMessageW(chooser, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"Рецепты")),
                 0);
    form->notes().secondView().Note2ListSelect();
    SetWindowTextW(form->search().findEdit(), L"пок");
    form->search().FindNext();
    form->search().openResultsArea();
    form->notes().noteCommands().N_addClick();
    SetWindowTextW(form->notes().noteCommands().namePanel().field(), L"Новая заметка");
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\notes-views.bmp"));
    form->notes().noteCommands().NL_CancelClick();
    // The search across all notes with its result lines.
    form->search().SearchAllNotes();
    SetWindowTextW(form->search().findEdit(), L"н");
    for (int i = 0; i < 500 && !form->search().allNotes().listed(); ++i) {
        Sleep(10);
        pumpMessages();
    }
    pumpMessages();
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\all-notes-search.bmp"));
    form->search().FindEditEscape();
    form->showPage(program::Page::Settings);
    const wchar_t* tabs[] = {L"settings-general.bmp", L"settings-notes.bmp", L"settings-view.bmp"};
    for (int i = 0; i < 3; ++i) {
        form->settingsPage().tabs().selectTab(i);
        EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\" + tabs[i]));
    }
    form->showPage(program::Page::Help);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\help-page.bmp"));
    form->showPage(program::Page::About);
    // The version changes with every commit: the picture shows a fixed one.
    EnumChildWindows(
        form->page(program::Page::About),
        [](HWND w, LPARAM) -> BOOL {
            wchar_t text[64]{};
            GetWindowTextW(w, text, 64);
            if (wcsncmp(text, L"Версия ", 7) != 0)
                return TRUE;
            SetWindowTextW(w, L"Версия 0.1.0");
            return FALSE;
        },
        0);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\about-page.bmp"));
}
