#include "notes/note_file.h"

#include "platform/atomic_file.h"
#include "platform/errors.h"

#include <system_error>

namespace quivra::notes {

namespace fs = std::filesystem;

namespace {

// Enough numbered names for any number of failures within one second.
constexpr int kMaxRecoveryNumber = 9999;

bool isRefusedInFileName(char16_t c) {
    return c < 0x20 || std::u16string_view(u"*/:<>?\\|\"").find(c) != std::u16string_view::npos;
}

void appendNumber(std::u16string& out, int value, std::size_t width) {
    const auto digits = std::to_string(value);
    if (digits.size() < width)
        out.append(width - digits.size(), u'0');
    out.append(digits.begin(), digits.end());
}

} // namespace

void saveNoteFile(const fs::path& path, std::string_view rtfBytes) {
    replaceFileAtomically(path, rtfBytes);
}

void removeStaleNoteTemporaries(const fs::path& notesFolder) {
    removeStaleTemporariesIn(notesFolder);
}

std::u16string recoveryFileName(std::u16string_view noteName, const DateTime& now, int number) {
    if (noteName.size() > kMaxRecoveryNoteNameLength) {
        std::size_t cut = kMaxRecoveryNoteNameLength;
        if (noteName[cut - 1] >= 0xD800 && noteName[cut - 1] < 0xDC00) // keep pairs whole
            --cut;
        noteName = noteName.substr(0, cut);
    }
    std::u16string name;
    for (char16_t c : noteName)
        name.push_back(isRefusedInFileName(c) ? u'_' : c);
    if (!name.empty())
        name.push_back(u' ');
    appendNumber(name, now.year, 4);
    name.push_back(u'-');
    appendNumber(name, now.month, 2);
    name.push_back(u'-');
    appendNumber(name, now.day, 2);
    name.push_back(u' ');
    appendNumber(name, now.hour, 2);
    name.push_back(u'-');
    appendNumber(name, now.minute, 2);
    name.push_back(u'-');
    appendNumber(name, now.second, 2);
    if (number > 1) {
        name.append(u" (");
        appendNumber(name, number, 1);
        name.push_back(u')');
    }
    name.append(kRecoveryExtension);
    return name;
}

fs::path writeRecoveryFile(const fs::path& dataFolder, std::u16string_view noteName,
                           const DateTime& now, std::string_view rtfBytes) {
    const fs::path folder = dataFolder / kRecoveryFolderName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (int number = 1; number <= kMaxRecoveryNumber; ++number) {
        fs::path file = folder / recoveryFileName(noteName, now, number);
        if (fs::exists(fs::symlink_status(file, ec)))
            continue;
        replaceFileAtomically(file, rtfBytes);
        return file;
    }
    throw unableToWrite((folder / recoveryFileName(noteName, now)).u16string());
}

} // namespace quivra::notes
