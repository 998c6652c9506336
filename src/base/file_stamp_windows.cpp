#include "base/file_stamp.h"

#include <windows.h>

namespace quivra::base {

FileStamp fileStampOf(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return {true, (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            static_cast<std::int64_t>((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                      data.ftLastWriteTime.dwLowDateTime)};
}

} // namespace quivra::base
