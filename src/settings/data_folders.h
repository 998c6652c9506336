// The program's folder tree next to its executable, the name of its settings
// file and the choice of the notes folder. Paths are Windows paths built by
// plain concatenation; the program folder has no trailing backslash. Whether a
// file or folder exists is asked of the caller, so these rules touch no disk.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::settings {

using PathExists = std::function<bool(std::u16string_view path)>;

// Computer name + "_" + user name. A computer name that could not be read
// (nullopt) is empty text, a user name that could not be read "Unknown user".
std::u16string profileName(const std::optional<std::u16string>& computer,
                           const std::optional<std::u16string>& user);

// The last component of a path (after the last backslash, slash or colon).
std::u16string_view fileNameOf(std::u16string_view path);

// The executable's file name without its extension: x.exe gives x, a.b.exe
// gives a.b, a name without a dot is kept whole. A path may be passed.
std::u16string executableBaseName(std::u16string_view executable);

// The name of the single-instance mutex: the executable's file name without
// its last four characters (x.exe gives x), empty for shorter names. A path may
// be passed; only its file name counts.
std::u16string singleInstanceMutexName(std::u16string_view executable);

// The fixed places of the tree.
std::u16string dataFolder(std::u16string_view programFolder);         // \Data
std::u16string skinsFolder(std::u16string_view programFolder);        // \Data\Skins
std::u16string notesRootFolder(std::u16string_view programFolder);    // \Data\Notes
std::u16string sharedSettingsFile(std::u16string_view programFolder); // \Data\default.ini
std::u16string obsoleteNotesList(std::u16string_view programFolder);  // \Data\noteslist

// The settings file: the shared default.ini when it exists, otherwise the
// personal file Data\<base>_<profile>.ini.
std::u16string settingsFilePath(std::u16string_view programFolder, bool sharedSettingsExists,
                                std::u16string_view baseName, std::u16string_view profile);

// The default name of the own notes sub-folder: "Default" when the settings
// are shared (everyone shares the notes too), else the profile name.
std::u16string defaultNotesDir(bool sharedSettingsExists, std::u16string_view profile);

struct NotesFolderChoice {
    std::u16string folder;
    bool custom = false; // false: the own folder is used and "own folder" gets selected
};

// The custom folder, exactly as typed, when it is selected and exists;
// otherwise "Data\Notes\" + the sub-folder name, so an empty name gives the
// notes root itself with a trailing backslash. An empty custom path never
// exists.
NotesFolderChoice chooseNotesFolder(std::u16string_view programFolder, bool customSelected,
                                    std::u16string_view customDir, std::u16string_view ownSubFolder,
                                    const PathExists& folderExists);

// The path a new folder named `name` gets under `parent`: parent\name\ .
std::u16string newFolderPath(std::u16string_view parent, std::u16string_view name);

// The first of "Новая папка", "Новая папка (1)", "Новая папка (2)", ... that
// does not exist as a folder under `parent`.
std::u16string proposeNewFolderName(std::u16string_view parent, const PathExists& folderExists);

} // namespace quivra::settings
