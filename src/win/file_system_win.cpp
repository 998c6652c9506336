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
    return base::fileStampOf(std::filesystem::path(path));
}

} // namespace quivra::win
