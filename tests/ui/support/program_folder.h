// A fresh temporary program folder per test, and a main window started in it
// with injected computer and user names, date and date format.
#pragma once

#include "app/main_form_win.h"
#include "base/ini_file.h"
#include "win/message_box_win.h"

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quivra::test {

struct ShownBox {
    std::wstring text, caption;
    UINT flags;
};

class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return root_; }
    std::filesystem::path exePath() const { return root_ / L"quivra.exe"; }
    std::filesystem::path data() const { return root_ / L"Data"; }
    // The personal settings file of computer "PC" and user "user".
    std::filesystem::path personalSettings() const { return data() / L"quivra_PC_user.ini"; }
    base::IniFile settings() const { return base::IniFile(personalSettings()); }
    // The skins of the source tree in Data\Skins.
    void copySkins() const;
    // Writes Options keys before the start.
    void option(std::u16string_view key, std::u16string_view value) const;

    app::Environment environment() const;
    app::CivilDate today{2026, 12, 9};
    std::wstring shortDatePattern = L"dd.MM.yyyy";
    app::DateNames dateNames;
    std::vector<std::wstring> arguments; // the program's command-line parameters

    // Starts a main window here; boxes shown during start-up are recorded.
    std::unique_ptr<app::TMainForm> start(app::StartResult expected = app::StartResult::Started);
    std::vector<ShownBox> boxes;
    // Answers of the next boxes, in order; IDOK once they are used up.
    std::vector<int> answers;

  private:
    std::filesystem::path root_;
};

// The file's text (any encoding the settings files use) as UTF-16.
std::u16string readSettingsText(const std::filesystem::path& file);
// Writes a file through the wide API (the C++ streams of mingw take narrow
// paths, which cannot name every file).
void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);
// Processes the messages waiting for this thread.
void pumpMessages();

} // namespace quivra::test
