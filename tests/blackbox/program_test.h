// The fixture the black-box tests start from: the real program in a fresh
// folder with the notes and settings a test gives, stopped and its folder
// removed after the test.
#pragma once

#include "running_program.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quivra::blackbox {

// Until `done` holds (true) or `timeoutMs` has passed (false), looking every
// 20 ms.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Until the window's left edge is at `left`.
bool waitForLeft(HWND window, int left, DWORD timeoutMs = 10000);
// Until the window has slid out to the left edge, leaving one pixel on screen.
bool waitForSlidOut(HWND window, DWORD timeoutMs = 10000);

// What a fresh program folder holds before the program starts.
struct ProgramSetup {
    std::vector<std::pair<std::wstring, std::string>> notes = {};        // name, file bytes
    std::vector<std::pair<std::u16string, std::u16string>> options = {}; // section Options
    std::vector<std::pair<std::u16string, std::u16string>> coords = {};  // section Coords
};

// The RTF of a one-line note in Tahoma.
std::string tahomaRtf(const char* text);
// Notes A ("old", the one opened) and B ("bee"), the hotkey on.
ProgramSetup notesAAndB();

// A fresh program folder holding what the setup gives; removed with the
// object, whatever the test came to. A test that starts the program more
// than once in the same folder keeps one of these.
class ProgramFolder {
  public:
    ProgramFolder() : ProgramFolder(ProgramSetup{}) {}
    explicit ProgramFolder(const ProgramSetup& setup);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return dir_; }
    std::filesystem::path exe() const { return dir_ / L"quivra.exe"; }

  private:
    std::filesystem::path dir_;
};

class ProgramTest : public ::testing::Test {
  protected:
    // Writes the folder and starts the program in it; `window` is its main
    // window once shown (asserted). A ScreenDpi alive in the caller applies.
    void start(const ProgramSetup& setup);
    void TearDown() override;
    std::filesystem::path note(const std::wstring& name) const {
        return notesFolder(dir) / (name + L".note");
    }

    std::optional<ProgramFolder> folder;
    std::filesystem::path dir;
    std::unique_ptr<RunningProgram> program;
    HWND window = nullptr;
};

} // namespace quivra::blackbox
