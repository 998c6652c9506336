#include "notes/note_on_disk.h"

#include "notes/note_file.h"

namespace quivra::notes {

std::uint64_t contentHash(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

DiskChange compareWithDisk(const KnownNoteFile& known, const FileStamp& now,
                           const std::function<std::optional<std::uint64_t>()>& hashNow) {
    if (!now.exists)
        return known.stamp.exists ? DiskChange::Deleted : DiskChange::None;
    if (!known.stamp.exists)
        return DiskChange::Changed; // a file where the program knew of none
    if (now == known.stamp)
        return DiskChange::None;
    if (now.size != known.stamp.size)
        return DiskChange::Changed;
    const auto hash = hashNow();
    return hash && *hash == known.contentHash ? DiskChange::None : DiskChange::Changed;
}

DiskAction decideDiskAction(DiskChange change, bool modified, bool deletedOnDisk, Moment moment) {
    if (moment == Moment::EndSession)
        moment = Moment::Leave;
    switch (change) {
    case DiskChange::Deleted:
        if (moment == Moment::UserSave)
            return DiskAction::Write;
        return moment == Moment::Leave ? DiskAction::KeepInRecovery : DiskAction::KeepAsDeleted;
    case DiskChange::Changed:
        if (!modified)
            return moment == Moment::Leave ? DiskAction::Nothing : DiskAction::Reload;
        return moment == Moment::Look ? DiskAction::Nothing : DiskAction::KeepConflict;
    case DiskChange::None:
        break;
    }
    if (!modified || moment == Moment::Look)
        return DiskAction::Nothing;
    if (!deletedOnDisk || moment == Moment::UserSave)
        return DiskAction::Write;
    return moment == Moment::Leave ? DiskAction::KeepInRecovery : DiskAction::Nothing;
}

std::optional<std::u16string>
conflictNoteName(std::u16string_view noteName, const base::DateTime& now,
                 const std::function<bool(const std::u16string&)>& taken) {
    std::u16string stem(noteName);
    stem += u" (конфликт ";
    stem += fileNameTime(now, false);
    for (int number = 1; number < 1000; ++number) {
        std::u16string name = stem;
        if (number > 1) {
            name += u", ";
            for (char c : std::to_string(number))
                name.push_back(static_cast<char16_t>(c));
        }
        name += u')';
        if (!taken(name))
            return name;
    }
    return std::nullopt;
}

} // namespace quivra::notes
