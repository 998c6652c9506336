// Starts the real quivra.exe in a fresh program folder and drives it from
// outside, as another program on the same desktop would.
#include "running_program.h"

#include "settings/ini_file.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

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

    const fs::path ini = settingsFile(dir);
    ASSERT_TRUE(fs::exists(ini)) << ini.string();
    quivra::settings::IniFile settings(ini);
    EXPECT_TRUE(settings.keyExists(u"Options", u"StartDate"));
    EXPECT_EQ(settings.readInteger(u"Options", u"TrayIcon", -1), 1);
    EXPECT_TRUE(fs::is_directory(notesFolder(dir)));
    std::error_code ec;
    fs::remove_all(dir, ec);
}
