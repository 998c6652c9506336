// The open note's file against the editor while other programs (a
// synchronised folder, a second computer) change the notes folder.

#include "base/atomic_file.h"
#include "base/errors.h"
#include "notes/note_file.h"
#include "notes/note_folder_win.h"
#include "notes/note_names.h"
#include "notes/note_store_win.h"
#include "notes/notes_ids.h"
#include "win/file_system_win.h"
#include "win/local_time_win.h"
#include "win/message_box_win.h"
#include "win/read_file_win.h"
#include "win/wide_win.h"

#include <algorithm>

namespace quivra::notes {

using win::toWide;

DiskChange NoteStore::noteChangeOnDisk() const {
    return compareWithDisk(
        known_, win::fileStamp(state_.currentNotePath), [this]() -> std::optional<std::uint64_t> {
            std::error_code ec;
            const auto bytes =
                base::readWholeFile(std::filesystem::path(state_.currentNotePath), ec);
            if (!bytes)
                return std::nullopt;
            return contentHash(*bytes);
        });
}

bool NoteStore::fileIsAsDecided(bool fileThere) const {
    const FileStamp now = win::fileStamp(state_.currentNotePath);
    if (!fileThere)
        return !now.exists;
    if (!now.exists || now.size != known_.stamp.size)
        return false;
    std::error_code ec;
    const auto bytes = base::readWholeFile(std::filesystem::path(state_.currentNotePath), ec);
    return bytes && contentHash(*bytes) == known_.contentHash;
}

std::optional<std::string> NoteStore::unchangedNoteFile() const {
    if (state_.currentNotePath.empty() || deletedOnDisk_ || !known_.stamp.exists ||
        win::fileStamp(state_.currentNotePath) != known_.stamp)
        return std::nullopt;
    std::error_code ec;
    std::optional<std::string> bytes =
        base::readWholeFile(std::filesystem::path(state_.currentNotePath), ec);
    if (!bytes || contentHash(*bytes) != known_.contentHash)
        return std::nullopt;
    return bytes;
}

void NoteStore::rememberNoteFile(const FileStamp& stamp, std::string_view bytes) {
    known_ = {stamp, contentHash(bytes)};
    deletedOnDisk_ = false;
    lists_.addedNotes().removed(state_.currentNoteName); // its file lists it now
}

void NoteStore::forgetNoteFile() {
    known_ = {};
    deletedOnDisk_ = false;
}

void NoteStore::reloadNoteFromDisk() {
    const FileStamp stamp = win::fileStamp(state_.currentNotePath);
    std::string bytes;
    try {
        bytes = win::readFileBytes(state_.currentNotePath);
    } catch (const base::UserError&) {
        return; // locked by its writer, say: the next look tries again
    }
    const int line = note_.lineFromChar(note_.selection().start);
    const std::string before = note_.rtf();
    {
        const auto redraw = note_.suspendRedraw();
        note_.empty(); // a load into a full control is many times slower
        try {
            note_.loadFileBytes(bytes);
        } catch (const base::UserError&) {
            // Not a note the editor can read: the editor keeps its text, and
            // the next look tries again; what the user types then goes to a
            // conflict copy, never over that file.
            note_.setRtf(before);
            note_.setModified(false);
            return;
        }
    }
    rememberNoteFile(stamp, bytes);
    note_.setModified(false);
    // A decrypted view of the old text has nothing to go back to.
    cipher_.dropBackup();
    cipher_.resetDecryptState();
    const long at = note_.lineIndex(std::min(line, std::max(note_.lineCount() - 1, 0)));
    note_.setSelection({std::max(at, 0L), std::max(at, 0L)});
}

void NoteStore::keepAsDeleted() {
    // The text is the user's now: unsaved until the user saves it.
    known_ = {};
    deletedOnDisk_ = true;
    note_.setModified(true);
}

SaveResult NoteStore::keepConflictCopy(const std::string& rtf, Moment moment) {
    const std::u16string noteName = state_.currentNoteName;
    // The same text is kept once: a note whose file cannot be read or loaded
    // meanwhile (locked by its writer) would get a copy at every trigger.
    const std::uint64_t hash = contentHash(rtf);
    const bool leaving = moment == Moment::Leave || moment == Moment::EndSession;
    if (conflictKept_ && conflictKept_->note == noteName && conflictKept_->hash == hash) {
        if (leaving)
            note_.setModified(false);
        else
            reloadNoteFromDisk();
        return SaveResult::Saved;
    }
    // A copy never replaces a file: a name taken meanwhile goes on to the
    // next one.
    std::optional<std::u16string> name;
    try {
        std::u16string tried;
        for (int round = 0; round < 8 && !name; ++round) {
            const auto next =
                conflictNoteName(noteName, win::localNow(), [&](const std::u16string& n) {
                    return lists_.findNoteIndex(n) >= 0 || !isNoteNameForAFile(n) || n == tried ||
                           win::fileExists(notePath(state_.notesFolder, n));
                });
            if (!next)
                break;
            tried = *next;
            if (base::createFileAtomically(
                    std::filesystem::path(notePath(state_.notesFolder, *next)), rtf))
                name = next;
        }
    } catch (const base::UserError& e) {
        return keepUnsavedText(rtf, e.text());
    }
    if (!name)
        return keepUnsavedText(rtf, u"Файл заметки изменён другой программой.");
    conflictKept_ = ConflictKept{noteName, hash};
    conflictNotice_ = L"Заметку «" + toWide(noteName) +
                      L"» изменила другая программа, пока в редакторе были несохранённые "
                      L"изменения. Ничего не перезаписано:\n\n«" +
                      toWide(noteName) + L"» — версия, записанная другой программой;\n«" +
                      toWide(*name) + L"» — ваш текст.";
    if (leaving)
        note_.setModified(false); // the editor is emptied next
    else
        reloadNoteFromDisk();
    lists_.followNotesFolder();
    unsaved_ = {};
    // Leaving (quit among others) asks its questions before it goes on; a
    // save in passing tells the user after its handler, as a failure does;
    // the end of the session waits for nobody.
    if (moment == Moment::Leave)
        OnConflictNotice();
    else if (!leaving)
        PostMessageW(host_.mainWindow(), WM_COMMAND, ID_CONFLICTNOTICE, 0);
    return SaveResult::Saved;
}

void NoteStore::OnConflictNotice() {
    if (conflictNotice_.empty())
        return;
    const std::wstring text = std::exchange(conflictNotice_, {});
    host_.pauseRefresh(); // the window must not hide behind its own box
    win::messageBox(host_.mainWindow(), text.c_str(), L"Quivra",
                    MB_OK | MB_ICONWARNING | MB_TASKMODAL);
    host_.resumeRefresh();
}

void NoteStore::lookAtNoteOnDisk() {
    watchNotesFolder(); // taken up again once a folder removed comes back
    if (state_.currentNotePath.empty() || !note_.enabled())
        return;
    switch (decideDiskAction(noteChangeOnDisk(), note_.modified(), deletedOnDisk_, Moment::Look)) {
    case DiskAction::Reload:
        reloadNoteFromDisk();
        break;
    case DiskAction::KeepAsDeleted:
        keepAsDeleted();
        break;
    default:
        break;
    }
}

void NoteStore::watchNotesFolder() {
    const std::wstring folder = toWide(state_.notesFolder);
    if ((folder != folderWatch_.folder() || !folderWatch_.running()) && host_.mainWindow())
        folderWatch_.start(folder, host_.mainWindow(), ID_NOTESFOLDERCHANGED);
}

} // namespace quivra::notes
