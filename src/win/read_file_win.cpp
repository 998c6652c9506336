#include "win/read_file_win.h"

#include "base/errors.h"
#include "win/handles_win.h"
#include "win/system_error_win.h"
#include "win/wide_win.h"

namespace quivra::win {

std::string readFileBytes(const std::u16string& path) {
    UniqueHandleFile file(CreateFileW(toWide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw base::cannotOpenFile(path, systemErrorText(GetLastError()));
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buf[1 << 16];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), buf, sizeof(buf), &got, nullptr))
            throw base::cannotOpenFile(path, systemErrorText(GetLastError()));
        if (got == 0)
            break;
        bytes.append(buf, got);
    }
    return bytes;
}

} // namespace quivra::win
