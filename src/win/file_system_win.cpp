#include "win/file_system_win.h"

#include "win/wide_win.h"

#include <windows.h>

namespace quivra::win {

namespace {
DWORD attributes(std::u16string_view path) {
    return GetFileAttributesW(toWide(path).c_str());
}
} // namespace

bool fileExists(std::u16string_view path) {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(std::u16string_view path) {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

base::FileStamp fileStamp(std::u16string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(toWide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return {true, (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            static_cast<std::int64_t>((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                      data.ftLastWriteTime.dwLowDateTime)};
}

} // namespace quivra::win
