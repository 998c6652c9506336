// The page "О программе" names the version the build gave the program.
#include "common/version_resource_win.h"
#include "support/program_folder.h"
#include "support/screenshot.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quivra;
using namespace quivra::test;

namespace {

// The page's descendant with that text, or null.
HWND childWithText(HWND page, const std::wstring& text) {
    std::pair<const std::wstring*, HWND> search{&text, nullptr};
    EnumChildWindows(
        page,
        [](HWND w, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<std::pair<const std::wstring*, HWND>*>(lp);
            wchar_t text[256]{};
            GetWindowTextW(w, text, 256);
            if (*s.first != text)
                return TRUE;
            s.second = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

} // namespace

// The tests are linked with the program's resources, so this executable's
// version resource is the one quivra.exe carries: the page, the file's
// properties and the package's name tell the user one version. The page is
// made when first shown; its label must lie on top where the user looks.
TEST(AboutPage, ShowsTheVersionOfTheExecutablesVersionResource) {
    wchar_t self[MAX_PATH]{};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring version = versionResourceText(self, L"ProductVersion");
    ASSERT_FALSE(version.empty()) << "no version resource its translation names";
    EXPECT_EQ(versionResourceText(self, L"FileVersion"), version);

    ProgramFolder folder;
    auto form = folder.start();
    SetLayeredWindowAttributes(form->hwnd(), 0, 255, LWA_ALPHA);
    SetWindowPos(form->hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    form->showPage(program::Page::About);
    HWND label = childWithText(form->page(program::Page::About), L"Версия " + version);
    ASSERT_NE(label, nullptr) << L"no label \"Версия " << version << L"\"";
    RedrawWindow(form->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    // The screen shows its text: more than one colour where the label lies.
    RECT r;
    GetWindowRect(label, &r);
    const ScreenPixels shot = captureScreen(r);
    std::set<COLORREF> colours;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            colours.insert(shot.at(x, y));
    EXPECT_GT(colours.size(), 1u) << "the version label is covered or not painted";
}

// Every key of every command table is on the help page's key list, so a
// key added to a table without its help line is caught here.
TEST(HelpPage, ListsEveryKeyOfTheCommandTables) {
    ProgramFolder folder;
    auto form = folder.start();
    form->showPage(program::Page::Help);
    std::wstring keys;
    EnumChildWindows(
        form->page(program::Page::Help),
        [](HWND w, LPARAM lp) -> BOOL {
            wchar_t text[4096]{};
            GetWindowTextW(w, text, 4096);
            if (std::wstring_view(text).find(L"Win+N\t") != std::wstring_view::npos)
                *reinterpret_cast<std::wstring*>(lp) = text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&keys));
    ASSERT_FALSE(keys.empty()) << "no key list";
    const auto check = [&keys](auto table) {
        for (const auto& row : table) {
            if (row.key.none() || !row.key.accelerator)
                continue;
            EXPECT_NE(keys.find(L"  " + program::keyText(row.key) + L"\t"), std::wstring::npos)
                << program::keyText(row.key);
        }
    };
    check(notes::NotesController::commands());
    check(editor::FormattingController::commands());
    check(crypto::CryptoController::commands());
    EXPECT_NE(keys.find(L"  Ctrl+Shift+F\tпоиск во всех заметках\r\n"), std::wstring::npos);
    EXPECT_NE(keys.find(L"  F5\t\tвставить время и дату\r\n"), std::wstring::npos);
}
