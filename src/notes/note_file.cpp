#include "notes/note_file.h"

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/file_stamp.h"
#include "notes/note_names.h"

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
    base::replaceFileAtomically(path, rtfBytes);
}

void saveNoteFile(const fs::path& path, std::string_view rtfBytes,
                  const base::BeforeRename& stillOurs) {
    base::replaceFileAtomically(path, rtfBytes, stillOurs);
}

bool isCompleteRtf(std::string_view bytes) {
    if (!bytes.starts_with("{\\rtf") && !bytes.starts_with("{\\urtf"))
        return false;
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\r' || bytes.back() == '\n' ||
                              bytes.back() == '\t' || bytes.back() == '\0'))
        bytes.remove_suffix(1);
    long depth = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\\')
            ++i; // an escaped brace or backslash is text
        else if (c == '{')
            ++depth;
        else if (c == '}' && --depth == 0)
            return i + 1 == bytes.size();
    }
    return false;
}

namespace {

// Whether the temporary holds text of the note that its file lacks.
bool holdsNewerNote(const fs::path& temporary, const fs::path& note, std::string_view bytes) {
    if (!isCompleteRtf(bytes))
        return false;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(note, ec)))
        return true;
    // To the time's full precision: a save that died within the same second
    // as the note's last one left text the note may lack.
    const base::FileStamp noteStamp = base::fileStampOf(note);
    if (!noteStamp.exists)
        return true;
    const base::FileStamp tempStamp = base::fileStampOf(temporary);
    if (!tempStamp.exists || tempStamp.writeTime < noteStamp.writeTime)
        return false;
    std::error_code readError;
    const auto current = base::readWholeFile(note, readError);
    return !current || *current != bytes;
}

} // namespace

void removeStaleNoteTemporaries(const fs::path& notesFolder, const fs::path& dataFolder,
                                const base::DateTime& now) {
    for (const auto& temporary : base::findTemporariesIn(notesFolder)) {
        const fs::path target = base::temporaryTargetName(temporary.filename());
        const std::u16string targetName = target.u16string();
        std::error_code ec;
        if (isNoteFileName(targetName)) {
            const auto bytes = base::readWholeFile(temporary, ec);
            if (bytes && holdsNewerNote(temporary, notesFolder / target, *bytes)) {
                try {
                    writeRecoveryFile(dataFolder, noteNameFromFileName(targetName), now, *bytes);
                } catch (const base::UserError&) {
                    continue; // keep the only copy of that text
                }
            }
        }
        fs::remove(temporary, ec);
    }
}

std::u16string fileNameTime(const base::DateTime& at, bool withSeconds) {
    std::u16string out;
    appendNumber(out, at.year, 4);
    out.push_back(u'-');
    appendNumber(out, at.month, 2);
    out.push_back(u'-');
    appendNumber(out, at.day, 2);
    out.push_back(u' ');
    appendNumber(out, at.hour, 2);
    out.push_back(u'-');
    appendNumber(out, at.minute, 2);
    if (withSeconds) {
        out.push_back(u'-');
        appendNumber(out, at.second, 2);
    }
    return out;
}

std::u16string recoveryFileName(std::u16string_view noteName, const base::DateTime& now,
                                int number) {
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
    name += fileNameTime(now, true);
    if (number > 1) {
        name.append(u" (");
        appendNumber(name, number, 1);
        name.push_back(u')');
    }
    name.append(kRecoveryExtension);
    return name;
}

fs::path writeRecoveryFile(const fs::path& dataFolder, std::u16string_view noteName,
                           const base::DateTime& now, std::string_view rtfBytes) {
    const fs::path folder = dataFolder / kRecoveryFolderName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (int number = 1; number <= kMaxRecoveryNumber; ++number) {
        fs::path file = folder / recoveryFileName(noteName, now, number);
        if (fs::exists(fs::symlink_status(file, ec)))
            continue;
        if (base::createFileAtomically(file, rtfBytes))
            return file;
    }
    throw base::unableToWrite((folder / recoveryFileName(noteName, now)).u16string());
}

} // namespace quivra::notes
