// What the file system says of a file, cheap to ask for: a file whose stamp
// is the same as before is taken to hold the same bytes until they are read.
#pragma once

#include <cstdint>

namespace quivra::base {

struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0; // the reader's last-write time, any unit
    bool operator==(const FileStamp&) const = default;
};

} // namespace quivra::base
