// Deleting a note so that the user can get it back.
#pragma once

#include <filesystem>
#include <string>

namespace quivra::notes {

enum class DeletedTo { RecycleBin, RecoveryFolder, Nowhere };

// Moves the file to the system's Recycle Bin where its drive has one, so the
// standard tool restores it; elsewhere (a network folder, a bin that refuses
// it or deletes it for good) to <dataFolder>\Recovery under its own name,
// " (2)", " (3)", ... before the extension when that is taken. Nowhere: the
// file could be moved to neither and stays where it is.
DeletedTo deleteToRecycleBin(const std::u16string& path, const std::filesystem::path& dataFolder);

} // namespace quivra::notes
