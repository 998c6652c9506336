// Reading an executable's version resource as Explorer's file properties do:
// the language and code page from its translation table, then the string of
// that block.
#pragma once

#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

namespace quivra::test {

// The string `name` ("ProductVersion", "FileVersion") of the file's version
// resource; empty when the file has none or its translation names no block.
inline std::wstring versionResourceText(const std::filesystem::path& file, const wchar_t* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
        return {};
    struct Translation {
        WORD language, codePage;
    };
    Translation* translation = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &bytes) ||
        bytes < sizeof(Translation))
        return {};
    wchar_t path[80];
    swprintf(path, 80, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
             translation->codePage, name);
    wchar_t* value = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &chars) || !value)
        return {};
    return value;
}

} // namespace quivra::test
