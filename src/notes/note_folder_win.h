// Listing a notes folder through the file system's own search, which hands
// over names and attributes in one pass (std::filesystem asks for each
// entry's type separately, which costs a call per note under Wine).
#pragma once

#include <string>
#include <vector>

namespace quivra::notes {

// The note names of the folder in the order the search returns them: every
// file that listedNoteName (notes/note_names.h) takes, hidden, system and
// read-only files included; no directories. A missing or unreadable folder
// gives no names.
std::vector<std::u16string> findNoteNames(const std::u16string& notesFolder);

} // namespace quivra::notes
