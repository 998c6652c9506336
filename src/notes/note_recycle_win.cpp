#include "notes/note_recycle_win.h"

#include "base/atomic_file.h"
#include "base/errors.h"
#include "notes/note_file.h"
#include "win/file_system_win.h"
#include "win/wide_win.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

namespace quivra::notes {

namespace fs = std::filesystem;

namespace {

std::wstring volumeOf(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH))
        return {};
    return root;
}

// Only fixed drives have a Recycle Bin; a network or removable drive has none.
bool hasRecycleBin(const std::wstring& volume) {
    return !volume.empty() && GetDriveTypeW(volume.c_str()) == DRIVE_FIXED;
}

// The number of items in the drive's bin; nullopt when the system does not say.
std::optional<long long> itemsInBin(const std::wstring& volume) {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (SHQueryRecycleBinW(volume.c_str(), &info) != S_OK)
        return std::nullopt;
    return info.i64NumItems;
}

bool recycle(const std::wstring& path) {
    std::wstring from = path;
    from.push_back(L'\0'); // the list ends with two zeros
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

// "<stem> (n)<extension>" for n = 2, 3, ... when the name is taken.
fs::path freeRecoveryPath(const fs::path& folder, const fs::path& fileName) {
    fs::path candidate = folder / fileName;
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(candidate, ec)) && n < 10000; ++n)
        candidate = folder / (fileName.stem().wstring() + L" (" + std::to_wstring(n) + L")" +
                              fileName.extension().wstring());
    return candidate;
}

bool moveToRecovery(const fs::path& file, const fs::path& dataFolder) {
    const fs::path folder = dataFolder / kRecoveryFolderName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path target = freeRecoveryPath(folder, file.filename());
    return MoveFileExW(file.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED) != 0;
}

// The bytes of a file the bin deleted for good, kept in the recovery folder.
bool writeToRecovery(const fs::path& file, const fs::path& dataFolder, std::string_view bytes) {
    const fs::path folder = dataFolder / kRecoveryFolderName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    try {
        base::replaceFileAtomically(freeRecoveryPath(folder, file.filename()), bytes);
        return true;
    } catch (const base::UserError&) {
        return false;
    }
}

} // namespace

DeletedTo deleteToRecycleBin(const std::u16string& path, const fs::path& dataFolder) {
    const std::wstring wide = win::toWide(path);
    const fs::path file(wide);
    const std::wstring volume = volumeOf(wide);
    // A bin that cannot say how many items it holds counts as none (Wine
    // without a usable trash folder): its delete would be for good.
    const auto before = hasRecycleBin(volume) ? itemsInBin(volume) : std::nullopt;
    if (before) {
        // Kept in memory until the bin is known to hold the file: a bin that
        // is full, switched off or refuses the file deletes it for good.
        std::error_code ec;
        const auto bytes = base::readWholeFile(file, ec);
        if (bytes && recycle(wide) && !win::fileExists(path)) {
            const auto after = itemsInBin(volume);
            if (after && *after > *before)
                return DeletedTo::RecycleBin;
        }
        if (!win::fileExists(path)) // gone, and not to the bin
            return bytes && writeToRecovery(file, dataFolder, *bytes) ? DeletedTo::RecoveryFolder
                                                                      : DeletedTo::Nowhere;
    }
    return moveToRecovery(file, dataFolder) ? DeletedTo::RecoveryFolder : DeletedTo::Nowhere;
}

} // namespace quivra::notes
