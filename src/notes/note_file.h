// Writing note files, and the recovery copy kept when a note cannot be written.
//
// A note is saved by replacing its file atomically, so a failed save leaves the
// previous version whole. The store does not report a failed save; instead it
// keeps the editor's content as a recovery file in Data\Recovery, named after
// the note and the moment of the failure, so nothing typed is lost.
#pragma once

#include "base/atomic_file.h"

#include "base/date_time.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quivra::notes {

inline constexpr std::u16string_view kRecoveryFolderName = u"Recovery";
inline constexpr std::u16string_view kRecoveryExtension = u".rtf";
// The longest part of a recovery file name taken from the note name, in UTF-16
// code units, so the recovery path stays well inside the platform's limits even
// when the note's own path was too long to be written.
inline constexpr std::size_t kMaxRecoveryNoteNameLength = 100;

// Replaces the note file with the RTF bytes, creating it if needed. Throws
// quivra::UserError ("Unable to write to <path>") when that fails; the file then
// keeps its previous content.
void saveNoteFile(const std::filesystem::path& path, std::string_view rtfBytes);
// The same, asking `stillOurs` right before the file is replaced (the new
// text written and flushed beside it): false leaves the file as another
// writer made it and throws base::ReplacementAbandoned.
void saveNoteFile(const std::filesystem::path& path, std::string_view rtfBytes,
                  const base::BeforeRename& stillOurs);

// Clears away the temporary files interrupted saves left in the notes folder
// (only files of the form "<name>.~tmp<8 hex digits>" that our writes create).
// A save killed between writing its temporary and renaming it leaves the
// newest text of a note there: a temporary of a note that holds a complete
// RTF document other than the note's and is newer than the note (or the note
// is gone) is kept as a recovery file in <dataFolder>\Recovery instead of being
// deleted; if that cannot be written, the temporary stays where it is. Called
// whenever the folder is enumerated. Errors are ignored.
void removeStaleNoteTemporaries(const std::filesystem::path& notesFolder,
                                const std::filesystem::path& dataFolder, const base::DateTime& now);

// True for bytes that hold one whole RTF document: "{\rtf" (or "{\urtf") and
// braces that close exactly at the end, blanks aside.
bool isCompleteRtf(std::string_view bytes);

// "YYYY-MM-DD hh-mm" or "YYYY-MM-DD hh-mm-ss": a moment as file names hold it.
std::u16string fileNameTime(const base::DateTime& at, bool withSeconds);

// "<note name> YYYY-MM-DD hh-mm-ss.rtf"; number 2, 3, ... appends " (2)",
// " (3)", ... before the extension. Characters file systems refuse in a name
// (* / : < > ? \ | " and control characters) become '_'; the note name is cut
// to kMaxRecoveryNoteNameLength; an empty name leaves just the time.
std::u16string recoveryFileName(std::u16string_view noteName, const base::DateTime& now,
                                int number = 1);

// Writes the bytes to <dataFolder>\Recovery\<recoveryFileName>, creating the
// folder, with the first number whose name is not taken, also by a file made
// while it writes: no file is ever replaced. Returns the file's
// path. Throws quivra::UserError ("Unable to write to <path>") on failure.
std::filesystem::path writeRecoveryFile(const std::filesystem::path& dataFolder,
                                        std::u16string_view noteName, const base::DateTime& now,
                                        std::string_view rtfBytes);

} // namespace quivra::notes
