#include "base/file_stamp.h"

namespace quivra::base {

FileStamp fileStampOf(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return {};
    const auto size = std::filesystem::file_size(file, ec);
    if (ec)
        return {};
    const auto time = std::filesystem::last_write_time(file, ec);
    if (ec)
        return {};
    return {true, size, static_cast<std::int64_t>(time.time_since_epoch().count())};
}

} // namespace quivra::base
