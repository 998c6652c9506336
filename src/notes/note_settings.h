// The per-note view settings kept in "notessettings.ini" of the notes
// folder, one section per note (named like the note; letter case ignored).
// The file is opened for each single use, like every settings file.
#pragma once

#include "settings/ini_file.h"

#include <string>
#include <string_view>

namespace quivra::notes {

struct NoteViewSettings {
    bool readOnly = false;
    bool wordWrap = false;
    bool showFormatBar = true;
};

class NoteSettingsFile {
  public:
    explicit NoteSettingsFile(std::u16string_view notesFolder);

    NoteViewSettings read(std::u16string_view noteName) const;
    // Writes throw quivra::UserError ("Unable to write to <path>").
    void writeReadOnly(std::u16string_view noteName, bool value);
    void writeWordWrap(std::u16string_view noteName, bool value);
    void writeShowFormatBar(std::u16string_view noteName, bool value);

    const std::filesystem::path& path() const noexcept { return ini_.path(); }

  private:
    settings::IniFile ini_;
};

} // namespace quivra::notes
