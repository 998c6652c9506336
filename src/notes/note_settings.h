// The per-note view settings kept in "notessettings.ini" of the notes
// folder, one section per note (named like the note; letter case ignored).
// The file is opened for each single use, like every settings file.
#pragma once

#include "base/ini_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace quivra::notes {

struct NoteViewSettings {
    bool readOnly = false;
    bool wordWrap = false;
    bool showFormatBar = true;
};

// The values a renamed note's section held, each only where it had the key.
struct MovedViewSettings {
    std::optional<bool> readOnly;
    std::optional<bool> wordWrap;
    std::optional<bool> showFormatBar;
};

class NoteSettingsFile {
  public:
    explicit NoteSettingsFile(std::u16string_view notesFolder);

    NoteViewSettings read(std::u16string_view noteName) const;
    // Writes throw quivra::UserError ("Unable to write to <path>").
    void writeReadOnly(std::u16string_view noteName, bool value);
    void writeWordWrap(std::u16string_view noteName, bool value);
    void writeShowFormatBar(std::u16string_view noteName, bool value);
    // A note's new name: each key the old section holds is written under the
    // new one, then the old section is erased with everything in it.
    MovedViewSettings moveSection(std::u16string_view from, std::u16string_view to);
    // A deleted note's section goes; nothing happens when it has none.
    void eraseSection(std::u16string_view noteName);

    const std::filesystem::path& path() const noexcept { return ini_.path(); }

  private:
    base::IniFile ini_;
};

} // namespace quivra::notes
