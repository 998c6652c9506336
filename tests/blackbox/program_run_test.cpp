// Starts the real quivra.exe in a fresh program folder and drives it from
// outside, as another program on the same desktop would.
#include "program_test.h"

#include "base/ini_file.h"
#include "notes/notes_ids.h"
#include "settings/settings_ids.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

TEST(Program, StartsDockedAtTheLeftEdgeAndWritesItsSettingsOnClose) {
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    RunningProgram program(dir / L"quivra.exe");
    ASSERT_TRUE(program.started());
    HWND w = program.mainWindow(15000);
    ASSERT_NE(w, nullptr);

    // After the first slide-out only one pixel column stays on the screen.
    RECT r{};
    for (int i = 0; i < 100; ++i) {
        GetWindowRect(w, &r);
        if (r.left == 1 - 640)
            break;
        Sleep(50);
    }
    EXPECT_EQ(r.left, 1 - 640);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 240);
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    PostMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(15000));

    const fs::path ini = settingsFile(dir);
    ASSERT_TRUE(fs::exists(ini)) << ini.string();
    quivra::base::IniFile settings(ini);
    EXPECT_TRUE(settings.keyExists(u"Options", u"StartDate"));
    EXPECT_EQ(settings.readInteger(u"Options", u"TrayIcon", -1), 1);
    EXPECT_TRUE(fs::is_directory(notesFolder(dir)));
}

namespace {

// The names of the libraries loaded in a process, in lower case.
std::vector<std::wstring> loadedLibraries(DWORD pid) {
    std::vector<std::wstring> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return names;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot, &entry); more;
         more = Module32NextW(snapshot, &entry)) {
        std::wstring name = entry.szModule;
        CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
        names.push_back(name);
    }
    CloseHandle(snapshot);
    return names;
}

bool has(const std::vector<std::wstring>& names, const wchar_t* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TEST(Program, LibrariesOfLaterCommandsAreLoadedOnlyWhenFirstUsed) {
    // The file dialogs, the shell (without a tray icon) and hashing wait for
    // the first command that needs them.
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    fs::create_directories(settingsFile(dir).parent_path());
    quivra::base::IniFile(settingsFile(dir)).writeString(u"Options", u"TrayIcon", u"0");
    RunningProgram program(dir / L"quivra.exe");
    ASSERT_TRUE(program.started());
    HWND w = program.mainWindow(15000);
    ASSERT_NE(w, nullptr);
    settle(w);
    const auto loaded = loadedLibraries(program.pid());
    ASSERT_TRUE(has(loaded, L"comctl32.dll"));
    for (const wchar_t* later : {L"comdlg32.dll", L"shell32.dll", L"bcrypt.dll", L"oleacc.dll"})
        EXPECT_FALSE(has(loaded, later)) << later;

    PostMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(15000));
}

namespace {

// A visible main window of the program that belongs to no process of `except`.
HWND otherCopyWindow(DWORD except, DWORD timeoutMs) {
    const DWORD until = GetTickCount() + timeoutMs;
    do {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"TMainForm", L"Quivra"));) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != except && IsWindowVisible(w))
                return w;
        }
        Sleep(50);
    } while (GetTickCount() < until);
    return nullptr;
}

} // namespace

TEST(Program, RestartedCopyRunsAloneAndALaterStartIsRefused) {
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    fs::create_directories(notesFolder(dir));
    writeBytes(notesFolder(dir) / L"A.note", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 old}");
    writeBytes(notesFolder(dir) / L"B.note", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 bee}");
    quivra::base::IniFile(settingsFile(dir)).writeString(u"Options", u"CurrentNoteName", u"B");
    RunningProgram first(dir / L"quivra.exe", L" a b");
    HWND w = first.mainWindow(15000);
    ASSERT_NE(w, nullptr);
    // Another note chosen and typed into, not yet written.
    HWND names = findChildById(w, quivra::notes::ID_NOTESNAMESLIST);
    ASSERT_NE(names, nullptr);
    SendMessageW(names, CB_SETCURSEL, 0, 0);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(quivra::notes::ID_NOTESNAMESLIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(names));
    HWND editor = findChild(w, L"RichEdit20W");
    SendMessageW(editor, EM_SETSEL, 0, 0);
    typeInto(editor, L"new ");
    // "Перезапустить" of the menu of "Выход", as the menu sends it.
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(quivra::settings::ID_G1, 0), 0);
    ASSERT_TRUE(first.waitForExit(15000));
    EXPECT_NE(readBytes(notesFolder(dir) / L"A.note").find("new old"), std::string::npos);
    HWND restarted = otherCopyWindow(first.pid(), 15000);
    ASSERT_NE(restarted, nullptr) << "the restart started nothing";
    DWORD restartedPid = 0;
    GetWindowThreadProcessId(restarted, &restartedPid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, restartedPid);
    ASSERT_NE(process, nullptr);
    EXPECT_FALSE(quivra::base::IniFile(settingsFile(dir)).keyExists(u"Options", u"Restart"));
    // The new copy got this copy's parameters and opened the note left.
    const std::wstring line = commandLineOf(restartedPid);
    EXPECT_NE(line.find(L"quivra.exe"), std::wstring::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 4), L" a b") << line;
    EXPECT_EQ(windowText(findChildById(restarted, quivra::notes::ID_NOTESNAMESLIST)), L"A");

    // The user starts the program again: refused, the restarted copy runs on.
    RunningProgram second(dir / L"quivra.exe");
    HWND box = second.messageBox(15000);
    ASSERT_NE(box, nullptr) << "a second copy ran beside the restarted one";
    EXPECT_EQ(messageBoxText(box).rfind(L"Программа уже запущена!", 0), 0u);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.waitForExit(15000));
    EXPECT_EQ(second.mainWindow(0), nullptr);
    EXPECT_TRUE(IsWindowVisible(restarted));

    PostMessageW(restarted, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(process);
}
