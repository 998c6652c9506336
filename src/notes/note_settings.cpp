#include "notes/note_settings.h"

namespace quivra::notes {

namespace {
constexpr std::u16string_view kReadOnly = u"ReadOnly";
constexpr std::u16string_view kWordWrap = u"WordWrap";
constexpr std::u16string_view kShowFormatBar = u"ShowFormatBar";

std::filesystem::path settingsPath(std::u16string_view folder) {
    std::u16string p(folder);
    p += u"\\notessettings.ini";
    return std::filesystem::path(p);
}
} // namespace

NoteSettingsFile::NoteSettingsFile(std::u16string_view notesFolder)
    : ini_(settingsPath(notesFolder)) {}

NoteViewSettings NoteSettingsFile::read(std::u16string_view noteName) const {
    NoteViewSettings s;
    s.readOnly = ini_.readBool(noteName, kReadOnly, false);
    s.wordWrap = ini_.readBool(noteName, kWordWrap, false);
    s.showFormatBar = ini_.readBool(noteName, kShowFormatBar, true);
    return s;
}

void NoteSettingsFile::writeReadOnly(std::u16string_view noteName, bool value) {
    ini_.writeBool(noteName, kReadOnly, value);
}

void NoteSettingsFile::writeWordWrap(std::u16string_view noteName, bool value) {
    ini_.writeBool(noteName, kWordWrap, value);
}

void NoteSettingsFile::writeShowFormatBar(std::u16string_view noteName, bool value) {
    ini_.writeBool(noteName, kShowFormatBar, value);
}

MovedViewSettings NoteSettingsFile::moveSection(std::u16string_view from, std::u16string_view to) {
    const NoteViewSettings defaults;
    const auto move = [&](std::u16string_view key, bool def) -> std::optional<bool> {
        if (!ini_.keyExists(from, key))
            return std::nullopt;
        const bool value = ini_.readBool(from, key, def);
        ini_.writeBool(to, key, value);
        return value;
    };
    MovedViewSettings moved;
    moved.readOnly = move(kReadOnly, defaults.readOnly);
    moved.wordWrap = move(kWordWrap, defaults.wordWrap);
    moved.showFormatBar = move(kShowFormatBar, defaults.showFormatBar);
    ini_.eraseSection(from);
    return moved;
}

void NoteSettingsFile::eraseSection(std::u16string_view noteName) {
    ini_.eraseSection(noteName);
}

} // namespace quivra::notes
