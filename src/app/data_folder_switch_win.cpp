// Switching the notes folder with "Применить" on the settings page.
#include "app/main_form_win.h"
#include "win/combo_box_win.h"
#include "win/file_system_win.h"
#include "win/wide_win.h"
#include "settings/data_folders.h"
#include "settings/keys.h"

#include <filesystem>

namespace quivra::app {

void TMainForm::applyDataDir() {
    using namespace settings;
    base::IniFile& ini = *state_.settingsFile;
    write(ini, keys::NotesDir, win::toU16(settingsPage_.dataDirText())); // 1
    write(ini, keys::isCustomDir, settingsPage_.customDirSelected());
    const std::wstring custom = settingsPage_.customDirText(); // 2
    if (!custom.empty())
        write(ini, keys::CustomDir, win::toU16(custom));
    if (!notes_.closeOutgoingNote()) // 3
        return;
    state_.currentNoteName.clear(); // 4
    state_.currentNotePath.clear();
    showPage(program::Page::Notes);                            // 5
    state_.currentNoteName = read(ini, keys::CurrentNoteName); // 6
    applyNotesFolderRule();                                    // 7
    win::ComboBox(notes_.namesList()).clear();                 // 8
    note_.empty();
    notes_.EnumerateNotes();            // 9
    if (state_.currentNoteName.empty()) // 10
        return;
    notes_.loadRememberedNote(); // 11-14
}

void TMainForm::applyNotesFolderRule() {
    const auto choice =
        settings::chooseNotesFolder(state_.programFolder, settingsPage_.customDirSelected(),
                                    win::toU16(settingsPage_.customDirText()),
                                    win::toU16(settingsPage_.dataDirText()), win::folderExists);
    state_.notesFolder = choice.folder;
    if (!choice.custom)
        settingsPage_.selectCustomDir(false);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(state_.notesFolder), ec);
}

} // namespace quivra::app
