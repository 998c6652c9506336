// Whether the open note's file is still the one the editor was filled from or
// last wrote, and what to do when another program (a synchronised folder, a
// second computer) changed or deleted it: nothing the user typed and nothing
// the other program wrote may be overwritten without a trace.
#pragma once

#include "base/date_time.h"
#include "base/file_stamp.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::notes {

// Read with the platform's own call (win::fileStamp), to the last-write
// time's full precision.
using base::FileStamp;

// The note's file as the program last read or wrote it.
struct KnownNoteFile {
    FileStamp stamp;
    std::uint64_t contentHash = 0; // of the bytes read or written; 0 without a file
};

// A 64-bit hash of a file's bytes (FNV-1a): equal bytes give equal hashes.
std::uint64_t contentHash(std::string_view bytes);

enum class DiskChange {
    None,    // the file is as the program left it
    Changed, // other bytes than the program read or wrote (or a file where there was none)
    Deleted, // the file the program knew is gone
};

// Compares the file with what the program knows of it: size and last-write
// time first; only when those differ is the content read (`hashNow`, which
// gives nullopt when the file cannot be read) and compared, so that a file
// touched or copied over with the same bytes counts as unchanged. An
// unreadable file counts as changed: the program cannot know it is its own.
DiskChange compareWithDisk(const KnownNoteFile& known, const FileStamp& now,
                           const std::function<std::optional<std::uint64_t>()>& hashNow);

// When the program looks at the note's file.
enum class Moment {
    Look,       // the window is called in, or the folder reports a change
    AutoSave,   // a save in passing: focus loss, hiding the window
    UserSave,   // "Сохранить", Ctrl+S, "Принудительно сохранить"
    Leave,      // the note is left: a switch, an add, a folder switch, quit
    EndSession, // the system ends the session: as Leave, but nobody may be asked
};

enum class DiskAction {
    Nothing,
    Write,          // write the editor's text to the note's file
    Reload,         // load the file again: the editor holds nothing of the user's
    KeepConflict,   // the user's text goes beside the note as a conflict copy,
                    // the editor then shows the file's version
    KeepAsDeleted,  // the file was deleted: the text stays in the editor as
                    // unsaved, and no save in passing writes it back
    KeepInRecovery, // a deleted note is left: its text goes to the recovery folder
};

// What to do with the open note. `modified`: the editor holds changes not
// written; `deletedOnDisk`: its file was found deleted earlier and has not
// been written since.
DiskAction decideDiskAction(DiskChange change, bool modified, bool deletedOnDisk, Moment moment);

// "<name> (конфликт yyyy-mm-dd hh-mm).note"'s note name; number 2, 3, ...
// gives "<name> (конфликт yyyy-mm-dd hh-mm, 2)". The first name for which
// `taken` says no (the caller asks the folder and the list, ignoring case);
// nullopt when even the 999th is taken.
std::optional<std::u16string>
conflictNoteName(std::u16string_view noteName, const base::DateTime& now,
                 const std::function<bool(const std::u16string&)>& taken);

} // namespace quivra::notes
