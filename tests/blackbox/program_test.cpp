#include "program_test.h"

#include "base/ini_file.h"

namespace quivra::blackbox {

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD until = GetTickCount() + timeoutMs;
    while (!done()) {
        if (GetTickCount() > until)
            return false;
        Sleep(20);
    }
    return true;
}

bool waitForLeft(HWND window, int left, DWORD timeoutMs) {
    return waitFor([&] { return screenRect(window).left == left; }, timeoutMs);
}

bool waitForSlidOut(HWND window, DWORD timeoutMs) {
    return waitFor(
        [&] {
            const RECT r = screenRect(window);
            return r.left == 1 - (r.right - r.left);
        },
        timeoutMs);
}

std::string tahomaRtf(const char* text) {
    return std::string("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 ") + text + "}";
}

ProgramSetup notesAAndB() {
    return {{{L"A", tahomaRtf("old")}, {L"B", tahomaRtf("bee")}},
            {{u"CurrentNoteName", u"A"}, {u"EnableHotkey", u"1"}},
            {}};
}

ProgramFolder::ProgramFolder(const ProgramSetup& setup) : dir_(freshProgramFolder()) {
    if (setup.notes.empty() && setup.options.empty() && setup.coords.empty())
        return; // the program makes its folders itself
    std::filesystem::create_directories(notesFolder(dir_));
    for (const auto& [name, bytes] : setup.notes)
        writeBytes(notesFolder(dir_) / (name + L".note"), bytes);
    base::IniFile ini(settingsFile(dir_));
    for (const auto& [key, value] : setup.options)
        ini.writeString(u"Options", key, value);
    for (const auto& [key, value] : setup.coords)
        ini.writeString(u"Coords", key, value);
}

ProgramFolder::~ProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void ProgramTest::start(const ProgramSetup& setup) {
    folder.emplace(setup);
    dir = folder->path();
    program = std::make_unique<RunningProgram>(folder->exe());
    ASSERT_TRUE(program->started());
    window = program->mainWindow(15000);
    ASSERT_NE(window, nullptr);
}

void ProgramTest::TearDown() {
    if (window && IsWindow(window))
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (program)
        program->waitForExit(15000);
    program.reset();
    folder.reset();
}

} // namespace quivra::blackbox
