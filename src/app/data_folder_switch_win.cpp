// Switching the notes folder with "Применить" on the settings page.
#include "app/main_form_win.h"
#include "settings/data_folders.h"
#include "settings/keys.h"
#include "win/combo_box_win.h"
#include "win/file_system_win.h"
#include "win/wide_win.h"

#include <filesystem>

namespace quivra::app {

void TMainForm::applyDataDir() {
    using namespace settings;
    base::IniFile& ini = *state_.SettingsFile;
    // The choice is stored only when the switch happens: a user who stays
    // with a note that cannot be written keeps this folder at the next start.
    if (!notes_.store().closeOutgoingNote())
        return;
    write(ini, keys::NotesDir, win::toU16(settingsPage_.dataFolder().dataDirText()));
    write(ini, keys::isCustomDir, settingsPage_.dataFolder().customDirSelected());
    // An empty box leaves the stored custom folder as it was.
    const std::wstring custom = settingsPage_.dataFolder().customDirText();
    if (!custom.empty())
        write(ini, keys::CustomDir, win::toU16(custom));
    notes_.setRememberedNote({});
    showPage(program::Page::Notes);
    // The note the settings remember as open, looked up in the new folder.
    notes_.setRememberedNote(read(ini, keys::CurrentNoteName));
    applyNotesFolderRule();
    win::ComboBox(notes_.lists().namesList()).clear();
    note_.empty();
    notes_.EnumerateNotes();
    if (state_.currentNoteName.empty()) // nothing selected, the editor stays empty
        return;
    notes_.loadRememberedNote();
}

void TMainForm::applyNotesFolderRule() {
    const auto choice = settings::chooseNotesFolder(
        state_.ProgramFolder, settingsPage_.dataFolder().customDirSelected(),
        win::toU16(settingsPage_.dataFolder().customDirText()),
        win::toU16(settingsPage_.dataFolder().dataDirText()), win::folderExists);
    state_.notesFolder = choice.folder;
    if (!choice.custom)
        settingsPage_.dataFolder().selectCustomDir(false);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(state_.notesFolder), ec);
}

} // namespace quivra::app
