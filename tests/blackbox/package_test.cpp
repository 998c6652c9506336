// The package a user downloads, unpacked into an empty folder by
// tests/package/run_package.sh, which names that folder and the version the
// package's name carries; without them the test is skipped.
#include "running_program.h"

#include "common/version_resource_win.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

TEST(Package, StartsFromItsFolderAndKeepsItsDataBesideItself) {
    const wchar_t* folder = _wgetenv(L"QUIVRA_PACKAGE_DIR");
    const wchar_t* version = _wgetenv(L"QUIVRA_PACKAGE_VERSION");
    if (!folder || !version)
        GTEST_SKIP() << "QUIVRA_PACKAGE_DIR and QUIVRA_PACKAGE_VERSION not set";
    const fs::path dir = folder;
    const fs::path exe = dir / L"quivra.exe";
    // What Explorer's file properties show is the version of the package's name.
    EXPECT_EQ(quivra::test::versionResourceText(exe, L"ProductVersion"), version);
    EXPECT_EQ(quivra::test::versionResourceText(exe, L"FileVersion"), version);

    RunningProgram program(exe);
    ASSERT_TRUE(program.started());
    HWND window = program.mainWindow(15000);
    ASSERT_NE(window, nullptr) << "the packaged program showed no main window";
    EXPECT_TRUE(fs::is_directory(notesFolder(dir)));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(15000));
    EXPECT_EQ(program.exitCode(), 0u);
    EXPECT_TRUE(fs::exists(settingsFile(dir))) << settingsFile(dir).string();
}
