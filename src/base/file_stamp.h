// What the file system says of a file, cheap to ask for: a file whose stamp
// is the same as before is taken to hold the same bytes until they are read.
#pragma once

#include <cstdint>
#include <filesystem>

namespace quivra::base {

struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0; // the reader's last-write time, any unit
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file (not a folder) to the last-write time's full precision:
// the system's own call on Windows (the standard library of the Windows
// build gives whole seconds, so a rewrite within a second at the same size
// would look unchanged), the standard library elsewhere. A file that cannot
// be asked does not exist.
FileStamp fileStampOf(const std::filesystem::path& file);

} // namespace quivra::base
