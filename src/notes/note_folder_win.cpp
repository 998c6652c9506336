#include "notes/note_folder_win.h"

#include "notes/note_names.h"
#include "win/handles_win.h"
#include "win/wide_win.h"

#include <windows.h>

namespace quivra::notes {

std::vector<std::u16string> findNoteNames(const std::u16string& notesFolder) {
    std::vector<std::u16string> names;
    const std::wstring pattern = win::toWide(notesFolder) + L"\\*" + win::toWide(kNoteExtension);
    WIN32_FIND_DATAW data;
    win::UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                          FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return names;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // The search also matches short 8.3 aliases; the long name decides.
        if (auto name = listedNoteName(win::toU16(data.cFileName)))
            names.push_back(std::move(*name));
    } while (FindNextFileW(find.get(), &data));
    return names;
}

} // namespace quivra::notes
