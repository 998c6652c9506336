// The program-wide state, owned by the main window's module. Options are not
// copied here: each lives in its control on the settings page.
#pragma once

#include "settings/ini_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quivra::app {

struct ProgramState {
    std::u16string programFolder; // folder of the executable, no trailing backslash
    std::u16string profileName;   // computer + "_" + user
    std::unique_ptr<settings::IniFile> settingsFile;
    bool sharedSettings = false; // settingsFile is Data\default.ini
    std::u16string notesFolder;
    std::u16string currentNoteName;
    std::u16string currentNotePath;
    // The note's rich text taken before a decryption was shown.
    std::optional<std::string> cipherBackup;
    // 0: the decrypt command decrypts; 1: it returns the cipher text.
    int decryptState = 0;
    std::uint16_t hotkeyAtom = 0;
    bool isShown = false;
    bool ctrlDown = false;
    long daysInUse = 0;
};

} // namespace quivra::app
