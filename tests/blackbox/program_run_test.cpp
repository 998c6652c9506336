// Starts the real quivra.exe in a fresh program folder and drives it from
// outside, as another program on the same desktop would.
#include "settings/ini_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class RunningProgram {
  public:
    explicit RunningProgram(const fs::path& exe) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring cmd = L"\"" + exe.wstring() + L"\"";
        started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  exe.parent_path().c_str(), &si, &pi_) != FALSE;
    }
    ~RunningProgram() {
        if (!started_)
            return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool started() const { return started_; }
    DWORD pid() const { return pi_.dwProcessId; }
    bool waitForExit(DWORD ms) { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

    // The program's main window, once it exists and has finished its first slide.
    HWND mainWindow(DWORD timeoutMs) const {
        const DWORD until = GetTickCount() + timeoutMs;
        while (GetTickCount() < until) {
            HWND w = nullptr;
            while ((w = FindWindowExW(nullptr, w, L"TMainForm", L"Quivra")) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == pi_.dwProcessId && IsWindowVisible(w))
                    return w;
            }
            Sleep(50);
        }
        return nullptr;
    }

  private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

fs::path freshProgramFolder() {
    wchar_t tmp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, tmp);
    const fs::path dir = fs::path(tmp) / (L"quivra-bb-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(fs::path(QUIVRA_EXE), dir / L"quivra.exe");
    return dir;
}

std::wstring name(BOOL (*get)(LPWSTR, LPDWORD), DWORD size) {
    std::wstring s(size, L'\0');
    DWORD n = size;
    if (!get(s.data(), &n))
        return {};
    s.resize(wcslen(s.c_str()));
    return s;
}

} // namespace

TEST(Program, StartsDockedAtTheLeftEdgeAndWritesItsSettingsOnClose) {
    const fs::path dir = freshProgramFolder();
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

    const std::wstring computer = name(GetComputerNameW, 256);
    const std::wstring user = name(GetUserNameW, 256);
    const fs::path ini = dir / L"Data" / (L"quivra_" + computer + L"_" + user + L".ini");
    ASSERT_TRUE(fs::exists(ini)) << ini.string();
    quivra::settings::IniFile settings(ini);
    EXPECT_TRUE(settings.keyExists(u"Options", u"StartDate"));
    EXPECT_EQ(settings.readInteger(u"Options", u"TrayIcon", -1), 1);
    EXPECT_TRUE(fs::is_directory(dir / L"Data" / L"Notes" / (computer + L"_" + user)));
    std::error_code ec;
    fs::remove_all(dir, ec);
}
