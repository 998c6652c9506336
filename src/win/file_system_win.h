// Tests on paths as the program's rules need them, through the wide API.
#pragma once

#include <string_view>

namespace quivra::win {

bool fileExists(std::u16string_view path);   // an existing file, not a folder
bool folderExists(std::u16string_view path); // an existing folder (links followed)

} // namespace quivra::win
