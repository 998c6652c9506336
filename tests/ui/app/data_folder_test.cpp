// The notes-folder group of the settings page: typing the sub-folder name,
// switching folders with "Применить" and proposing new folder names.
#include "support/program_folder.h"

#include "win/controls_win.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

} // namespace

TEST(DataFolder, TypedSubFolderNameDropsThePathCharacters) {
    ProgramFolder folder;
    auto form = folder.start();
    HWND box = form->settingsPage().control(settings::ID_DATADIRV);
    SetWindowTextW(box, L"");
    for (wchar_t c : std::wstring(L"a/b:\"*c"))
        SendMessageW(box, WM_CHAR, c, 1);
    EXPECT_EQ(win::windowText(box), L"ab\"c");
}

TEST(DataFolder, ApplySwitchesFolderAndReopensTheRememberedNameIgnoringCase) {
    ProgramFolder folder;
    fs::create_directories(folder.data() / L"Notes" / L"Второй");
    writeFile(folder.data() / L"Notes" / L"Второй" / L"ПЛАН.note",
              "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 second\\par}");
    writeFile(folder.data() / L"Notes" / L"Второй" / L"Другая.note", "x");
    fs::create_directories(folder.data() / L"Notes" / L"PC_user");
    writeFile(folder.data() / L"Notes" / L"PC_user" / L"План.note",
              "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 first\\par}");
    folder.option(u"CurrentNoteName", u"План");
    auto form = folder.start();
    EXPECT_EQ(form->note().text().substr(0, 5), u"first");
    form->note().setSelection({0, 0});
    SendMessageW(form->note().hwnd(), WM_CHAR, L'!', 1);

    SetWindowTextW(form->settingsPage().control(settings::ID_DATADIRV), L"Второй");
    click(form->settingsPage().control(settings::ID_APPLYDATADIR));
    // The outgoing note was written before the switch.
    EXPECT_EQ(readFile(folder.data() / L"Notes" / L"PC_user" / L"План.note").find("!first") !=
                  std::string::npos,
              true);
    EXPECT_EQ(form->state().notesFolder,
              win::toU16((folder.data() / L"Notes" / L"Второй").wstring()));
    EXPECT_EQ(SendMessageW(form->notes().lists().namesList(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(form->note().text().substr(0, 6), u"second");
    EXPECT_FALSE(form->note().modified());
    EXPECT_EQ(folder.settings().readString(u"Options", u"NotesDir", u""), u"Второй");
    EXPECT_EQ(folder.settings().readString(u"Options", u"isCustomDir", u""), u"0");
}

TEST(DataFolder, ApplyAnsweredWithStayStoresNothingAndKeepsTheFolder) {
    ProgramFolder folder;
    const fs::path own = folder.data() / L"Notes" / L"PC_user";
    fs::create_directories(own);
    fs::create_directories(folder.data() / L"Notes" / L"Второй");
    writeFile(own / L"План.note", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 first\\par}");
    folder.option(u"CurrentNoteName", u"План");
    auto form = folder.start();
    // The note's text can be written neither to its file nor to a recovery copy.
    SetFileAttributesW((own / L"План.note").c_str(), FILE_ATTRIBUTE_READONLY);
    writeFile(folder.data() / L"Recovery", "a file where the recovery folder would be");
    form->note().setSelection({0, 0});
    SendMessageW(form->note().hwnd(), WM_CHAR, L'!', 1);

    SetWindowTextW(form->settingsPage().control(settings::ID_DATADIRV), L"Второй");
    folder.answers = {IDCANCEL}; // stay with the note
    click(form->settingsPage().control(settings::ID_APPLYDATADIR));
    SetFileAttributesW((own / L"План.note").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(form->state().notesFolder, win::toU16(own.wstring()));
    EXPECT_EQ(form->note().text().substr(0, 6), u"!first");
    const auto settings = folder.settings();
    for (const char16_t* key : {u"NotesDir", u"isCustomDir", u"CustomDir"})
        EXPECT_FALSE(settings.keyExists(u"Options", key)) << win::toWide(key);
}

TEST(DataFolder, ApplyWithAMissingCustomFolderFallsBackToTheOwnOne) {
    ProgramFolder folder;
    auto form = folder.start();
    auto& page = form->settingsPage();
    page.dataFolder().selectCustomDir(true);
    SetWindowTextW(page.control(settings::ID_CUSTOMDIRV), L"C:\\no\\such\\folder");
    click(page.control(settings::ID_APPLYDATADIR));
    EXPECT_FALSE(page.dataFolder().customDirSelected());
    EXPECT_EQ(folder.settings().readString(u"Options", u"isCustomDir", u""), u"1");
    EXPECT_EQ(folder.settings().readString(u"Options", u"CustomDir", u""), u"C:\\no\\such\\folder");
    EXPECT_EQ(form->state().notesFolder,
              win::toU16((folder.data() / L"Notes" / L"PC_user").wstring()));
}

TEST(DataFolder, CreateProposesTheFirstFreeNewFolderName) {
    ProgramFolder folder;
    const fs::path parent = folder.path() / L"parent";
    fs::create_directories(parent / L"Новая папка");
    fs::create_directories(parent / L"Новая папка (1)");
    auto form = folder.start();
    auto& page = form->settingsPage();
    page.folderBrowsePanel().CustomDirBrowseClick();
    ASSERT_TRUE(page.folderBrowsePanel().tree().selectPath(parent.wstring()));
    page.folderBrowsePanel().BrowseCreateClick();
    EXPECT_EQ(win::windowText(page.control(settings::ID_FOLNAME)), L"Новая папка (2)");
    page.folderBrowsePanel().FN_okClick();
    EXPECT_TRUE(fs::is_directory(parent / L"Новая папка (2)"));
}
