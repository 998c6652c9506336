#include "settings/data_folders.h"

#include "base/utf.h"

namespace quivra::settings {

std::u16string profileName(const std::optional<std::u16string>& computer,
                           const std::optional<std::u16string>& user) {
    return computer.value_or(u"") + u"_" + user.value_or(u"Unknown user");
}

std::u16string_view fileNameOf(std::u16string_view path) {
    const auto cut = path.find_last_of(u"\\/:");
    return cut == std::u16string_view::npos ? path : path.substr(cut + 1);
}

std::u16string executableBaseName(std::u16string_view executable) {
    const auto name = fileNameOf(executable);
    return std::u16string(name.substr(0, name.rfind(u'.')));
}

std::u16string singleInstanceMutexName(std::u16string_view executable) {
    const auto name = fileNameOf(executable);
    return name.size() <= 4 ? std::u16string() : std::u16string(name.substr(0, name.size() - 4));
}

std::u16string dataFolder(std::u16string_view programFolder) {
    return std::u16string(programFolder) + u"\\Data";
}

std::u16string skinsFolder(std::u16string_view programFolder) {
    return dataFolder(programFolder) + u"\\Skins";
}

std::u16string notesRootFolder(std::u16string_view programFolder) {
    return dataFolder(programFolder) + u"\\Notes";
}

std::u16string sharedSettingsFile(std::u16string_view programFolder) {
    return dataFolder(programFolder) + u"\\default.ini";
}

std::u16string obsoleteNotesList(std::u16string_view programFolder) {
    return dataFolder(programFolder) + u"\\noteslist";
}

std::u16string settingsFilePath(std::u16string_view programFolder, bool sharedSettingsExists,
                                std::u16string_view baseName, std::u16string_view profile) {
    if (sharedSettingsExists)
        return sharedSettingsFile(programFolder);
    std::u16string path = dataFolder(programFolder) + u"\\";
    path += baseName;
    path += u"_";
    path += profile;
    path += u".ini";
    return path;
}

std::u16string defaultNotesDir(bool sharedSettingsExists, std::u16string_view profile) {
    return sharedSettingsExists ? std::u16string(u"Default") : std::u16string(profile);
}

NotesFolderChoice chooseNotesFolder(std::u16string_view programFolder, bool customSelected,
                                    std::u16string_view customDir, std::u16string_view ownSubFolder,
                                    const PathExists& folderExists) {
    if (customSelected && !customDir.empty() && folderExists(customDir))
        return {std::u16string(customDir), true};
    return {notesRootFolder(programFolder) + u"\\" + std::u16string(ownSubFolder), false};
}

std::u16string newFolderPath(std::u16string_view parent, std::u16string_view name) {
    std::u16string path(parent);
    path += u"\\";
    path += name;
    path += u"\\";
    return path;
}

std::u16string proposeNewFolderName(std::u16string_view parent, const PathExists& folderExists) {
    const std::u16string base = u"Новая папка";
    std::u16string name = base;
    for (unsigned long long i = 1; folderExists(newFolderPath(parent, name)); ++i)
        name = base + u" (" + base::utf8ToUtf16(std::to_string(i)) + u")";
    return name;
}

} // namespace quivra::settings
