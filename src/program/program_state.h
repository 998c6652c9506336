// The program-wide state the subsystems share, owned by the main window and
// handed to each subsystem by reference. Each field has one writer: the
// main window for the folders, the settings file and the days in use (at
// start-up and at a switch of the notes folder), the notes subsystem for
// the current note and its view, the cipher state for the decryption, the
// presenter for isShown; the others only read. Options are not copied here:
// the settings page holds them (settings/options_win.h).
#pragma once

#include "base/ini_file.h"

#include <memory>
#include <optional>
#include <string>

namespace quivra::program {

struct ProgramState {
    std::u16string ProgramFolder; // folder of the executable, no trailing backslash
    std::u16string dataFolder;    // its Data folder
    std::u16string ProfileName;   // computer + "_" + user
    std::unique_ptr<base::IniFile> SettingsFile;
    bool sharedSettings = false; // SettingsFile is Data\default.ini
    std::u16string notesFolder;
    std::u16string currentNoteName;
    std::u16string currentNotePath;
    // The current note's view settings; the editor, the menu ticks and the
    // read-only icon show them.
    bool NoteReadOnly = false;
    bool NoteWordWrap = false;
    bool formatBarShown = true;
    // The note's rich text taken before a decryption was shown.
    std::optional<std::string> CipherBackup;
    // Whether the note held unsaved changes when the backup was taken: the
    // return of the cipher puts that back with the text.
    bool modifiedBeforeDecryption = false;
    // 0: the decrypt command decrypts; 1: it returns the cipher text.
    int decryptState = 0;
    bool isShown = false;
    // Ctrl held down in the editor. Written by the notes controller alone
    // (the editor's keys); the others ask it through releaseCtrl().
    bool CtrlDown = false;
    long DaysInUse = 0;
};

} // namespace quivra::program
