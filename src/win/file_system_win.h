// Tests on paths as the program's rules need them, through the wide API.
#pragma once

#include "base/file_stamp.h"

#include <string_view>

namespace quivra::win {

bool fileExists(std::u16string_view path);   // an existing file, not a folder
bool folderExists(std::u16string_view path); // an existing folder (links followed)
// Size and last-write time (in the file system's 100 ns) of a file; not
// existing for a missing file or a folder.
base::FileStamp fileStamp(std::u16string_view path);

} // namespace quivra::win
