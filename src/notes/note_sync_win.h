// The file system's side of the note file checks: a file's stamp.
#pragma once

#include "notes/note_on_disk.h"

#include <string>

namespace quivra::notes {

// Size and last-write time of the file; `exists` false for a missing file or
// a folder.
FileStamp fileStampOf(const std::u16string& path);

} // namespace quivra::notes
