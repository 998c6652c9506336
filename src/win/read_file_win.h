// Reading a whole file the user or the program names, for loading it into a
// rich-text view (a note, a file opened into the editor).
#pragma once

#include <string>

namespace quivra::win {

// The file's bytes. Throws quivra::UserError "Cannot open file "<path>".
// <the system's reason>" when it cannot be opened or read (missing, locked by
// another program, a folder).
std::string readFileBytes(const std::u16string& path);

} // namespace quivra::win
