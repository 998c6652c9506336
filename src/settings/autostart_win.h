// The program's autostart entry: the value "Quivra" under the current user's
// Run key, holding the executable's full path.
#pragma once

#include <string>

namespace quivra::settings {

// True when the value exists and equals `exePath` exactly (case-sensitive).
bool autostartPointsTo(const std::wstring& exePath);
// Write and delete throw quivra::UserError with the system's reason.
void writeAutostart(const std::wstring& exePath);
void deleteAutostart();

} // namespace quivra::settings
