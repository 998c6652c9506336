// Note files and note names: a note is the file "<name>.note" directly in
// the notes folder; its name is the file name less its last five characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::notes {

inline constexpr std::u16string_view kNoteExtension = u".note";

// The note a file of the notes folder holds: the name for a file name ending
// in ".note" (any letter case), nullopt for other files and for names the
// system reserves for devices. The caller skips directories.
std::optional<std::u16string> listedNoteName(std::u16string_view fileName);

// True for a file name ending in ".note" (any letter case).
bool isNoteFileName(std::u16string_view fileName);

// True when a note of this name would be a file the system takes for a device
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 and their superscript-digit forms,
// CONIN$, CONOUT$), whatever follows the first dot and whatever the letter
// case: opening "CON.note" talks to the console, not to a file. Such names are
// never listed, opened or accepted as typed names.
bool isReservedDeviceName(std::u16string_view noteName);

// Whether a name typed or pasted for a note can name a file of its own right
// in the notes folder: not empty, no \ / : * ? " < > | and no control
// character (a path elsewhere, a stream, a name the system refuses), not "."
// or "..", no trailing dot or blank (the system drops them, so the file
// would be another note's), no device name.
bool isNoteNameForAFile(std::u16string_view name);

// "x.note.note" holds the note "x.note"; ".note" the note with an empty name.
std::u16string noteNameFromFileName(std::u16string_view fileName);

// NotesFolder + "\" + name + ".note", by plain concatenation.
std::u16string notePath(std::u16string_view notesFolder, std::u16string_view name);

} // namespace quivra::notes
