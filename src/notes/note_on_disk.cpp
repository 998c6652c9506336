#include "notes/note_on_disk.h"

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

namespace {

void appendNumber(std::u16string& out, int value, std::size_t width) {
    const auto digits = std::to_string(value);
    if (digits.size() < width)
        out.append(width - digits.size(), u'0');
    out.append(digits.begin(), digits.end());
}

} // namespace

std::optional<std::u16string>
conflictNoteName(std::u16string_view noteName, const base::DateTime& now,
                 const std::function<bool(const std::u16string&)>& taken) {
    std::u16string stem(noteName);
    stem += u" (конфликт ";
    appendNumber(stem, now.year, 4);
    stem += u'-';
    appendNumber(stem, now.month, 2);
    stem += u'-';
    appendNumber(stem, now.day, 2);
    stem += u' ';
    appendNumber(stem, now.hour, 2);
    stem += u'-';
    appendNumber(stem, now.minute, 2);
    for (int number = 1; number < 1000; ++number) {
        std::u16string name = stem;
        if (number > 1) {
            name += u", ";
            appendNumber(name, number, 1);
        }
        name += u')';
        if (!taken(name))
            return name;
    }
    return std::nullopt;
}

} // namespace quivra::notes
