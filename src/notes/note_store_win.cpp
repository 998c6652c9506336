// Loading and writing the current note, and what happens when its text can
// be written nowhere.
#include "notes/note_store_win.h"

#include "base/errors.h"
#include "notes/note_file.h"
#include "notes/note_folder_win.h"
#include "notes/note_names.h"
#include "notes/notes_ids.h"
#include "win/file_system_win.h"
#include "notes/unsaved_note_win.h"
#include "win/message_box_win.h"
#include "win/local_time_win.h"
#include "win/read_file_win.h"
#include "win/wide_win.h"

#include <algorithm>
#include <filesystem>

namespace quivra::notes {

using win::toWide;

namespace {

std::filesystem::path dataFolderOf(const program::ProgramState& state) {
    return std::filesystem::path(state.dataFolder);
}

} // namespace

void NoteStore::LoadNoteFile(const std::u16string& path) {
    // Names the system takes for devices never reach the file system.
    if (isReservedDeviceName(
            noteNameFromFileName(std::u16string_view(path).substr(path.find_last_of(u"\\/") + 1))))
        throw base::cannotOpenFile(path, u"Имя зарезервировано системой для устройства");
    // The file's stamp before the read: a change while it is read shows as
    // one at the next look.
    const FileStamp stamp = win::fileStamp(path);
    const std::string bytes = win::readFileBytes(path);
    note_.loadFileBytes(bytes);
    if (path == state_.currentNotePath)
        rememberNoteFile(stamp, bytes);
}

void NoteStore::loadCurrentNote() {
    try {
        LoadNoteFile(state_.currentNotePath);
    } catch (const base::UserError&) {
        // A note that cannot be read stays closed, so that nothing typed
        // into the editor can overwrite its file.
        note_.setModified(false);
        note_.setEnabled(false);
        throw;
    }
}

SaveResult NoteStore::SaveIfModified(Moment moment) {
    // A disabled editor holds nothing the user typed: either no note is open
    // or the open note's file could not be read and must stay as it is.
    if (state_.currentNotePath.empty() || !note_.enabled())
        return SaveResult::Unchanged;
    if (state_.NoteReadOnly) {
        // Never written; but a note whose file another program deleted is
        // kept as a recovery copy when it is left, as a writable one is.
        const bool leaving = moment == Moment::Leave || moment == Moment::EndSession;
        if (leaving && (deletedOnDisk_ || noteChangeOnDisk() == DiskChange::Deleted))
            return keepUnsavedText(note_.rtf(), u"Файл заметки удалён другой программой.");
        return SaveResult::Unchanged;
    }
    // Nothing is written over a file another program changed or deleted.
    const DiskChange change = noteChangeOnDisk();
    const DiskAction action = decideDiskAction(change, note_.modified(), deletedOnDisk_, moment);
    // A decrypted view is written with the cipher in place of its decrypted
    // text; it stays as it is in the editor. Whatever happened to the file
    // meanwhile is looked at again right before the replace.
    const std::string rtf = action == DiskAction::Write || action == DiskAction::KeepConflict ||
                                    action == DiskAction::KeepInRecovery
                                ? cipher_.rtfToSave()
                                : std::string();
    switch (action) {
    case DiskAction::Nothing:
        return SaveResult::Unchanged;
    case DiskAction::Reload:
        reloadNoteFromDisk();
        return SaveResult::Unchanged;
    case DiskAction::KeepAsDeleted:
        keepAsDeleted();
        return SaveResult::Unchanged;
    case DiskAction::KeepInRecovery:
        keepAsDeleted();
        return keepUnsavedText(rtf, u"Файл заметки удалён другой программой.");
    case DiskAction::KeepConflict:
        return keepConflictCopy(rtf, moment);
    case DiskAction::Write:
        break;
    }
    // The replacement is a new file: hidden and system marks are put back.
    const std::wstring path = toWide(state_.currentNotePath);
    const DWORD before = GetFileAttributesW(path.c_str());
    const DWORD keep = before == INVALID_FILE_ATTRIBUTES
                           ? 0
                           : before & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    FileStamp written;
    try {
        // Right before the replace, the file must still be what the program
        // read or wrote (its content too: a rewrite of the same size within
        // the file system's time resolution keeps the stamp), or nothing
        // where it found nothing. The new file's stamp is the temporary's,
        // taken before the rename, so a write by another program right after
        // it is never taken for this one.
        const bool fileThere = change == DiskChange::None && known_.stamp.exists;
        saveNoteFile(std::filesystem::path(state_.currentNotePath), rtf,
                     [&](const std::filesystem::path& temporary) {
                         if (!fileIsAsDecided(fileThere))
                             return false;
                         written = win::fileStamp(temporary.u16string());
                         return true;
                     });
        if (keep) // the attributes leave the last-write time as it is
            SetFileAttributesW(path.c_str(), GetFileAttributesW(path.c_str()) | keep);
        rememberNoteFile(written, rtf);
    } catch (const base::ReplacementAbandoned&) {
        // Another program wrote the note meanwhile: its version stays, the
        // user's goes beside it.
        return keepConflictCopy(rtf, moment);
    } catch (const base::UserError& e) {
        // A failed write is not reported and the note stays modified, so the
        // next trigger tries again; meanwhile the text is kept in a recovery
        // file so that it cannot be lost with the end of the run.
        return keepUnsavedText(rtf, e.text());
    }
    note_.setModified(false);
    deletedOnDisk_ = false;
    if (!cipher_.hasBackup())
        cipher_.resetDecryptState();
    unsaved_ = {};
    return SaveResult::Saved;
}

SaveResult NoteStore::keepUnsavedText(const std::string& rtf, const std::u16string& reason) {
    // The same text is kept once, not again at every trigger.
    const std::size_t hash = std::hash<std::string>{}(rtf);
    if (unsaved_.recoveredHash == hash)
        return SaveResult::Recovered;
    try {
        writeRecoveryFile(dataFolderOf(state_), state_.currentNoteName, win::localNow(), rtf);
        unsaved_.recoveredHash = hash;
        return SaveResult::Recovered;
    } catch (const base::UserError&) {
    }
    unsaved_.reason = reason;
    return SaveResult::NotSaved;
}

void NoteStore::saveInPassing(Moment moment) {
    if (SaveIfModified(moment) == SaveResult::NotSaved && !unsaved_.told) {
        unsaved_.told = true;
        PostMessageW(host_.mainWindow(), WM_COMMAND, ID_UNSAVEDNOTICE, 0);
    }
}

void NoteStore::OnUnsavedNote() {
    if (SaveIfModified(Moment::AutoSave) != SaveResult::NotSaved)
        return;
    if (tellAboutUnsavedNote(host_.mainWindow(), state_.currentNoteName, unsaved_.reason) ==
        UnsavedChoice::SaveElsewhere)
        saveNoteElsewhere(host_.mainWindow(), state_.currentNoteName, cipher_.rtfToSave());
}

bool NoteStore::mayLeaveNote() {
    for (;;) {
        if (SaveIfModified() != SaveResult::NotSaved)
            return true;
        switch (askBeforeLeavingUnsavedNote(host_.mainWindow(), state_.currentNoteName,
                                            unsaved_.reason)) {
        case UnsavedChoice::SaveElsewhere:
            if (!saveNoteElsewhere(host_.mainWindow(), state_.currentNoteName, cipher_.rtfToSave()))
                continue;
            break;
        case UnsavedChoice::Discard:
            break;
        case UnsavedChoice::Stay:
            return false;
        }
        // The text is safe elsewhere or given up: leaving must not try again.
        note_.setModified(false);
        unsaved_ = {};
        return true;
    }
}

bool NoteStore::closeOutgoingNote() {
    cipher_.returnCipher();
    if (!mayLeaveNote())
        return false;
    cipher_.resetDecryptState();
    return true;
}

void NoteStore::NMenu_SaveClick() {
    keepDecryptionIfChosen();
    saveInPassing(Moment::UserSave);
}

void NoteStore::ImmSaveClick() {
    keepDecryptionIfChosen();
    note_.setModified(true);
    saveInPassing(Moment::UserSave);
}

void NoteStore::keepDecryptionIfChosen() {
    // Only the user's own save of a decrypted view may write its plain text,
    // and only when asked; otherwise the save writes the cipher and the
    // view stays.
    if (!cipher_.hasBackup() || state_.NoteReadOnly || !note_.enabled())
        return;
    if (win::messageBox(host_.mainWindow(), L"Сохранить расшифрованный текст открытым?", L"Quivra",
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    cipher_.dropBackup();
    cipher_.resetDecryptState();
    note_.setModified(true);
}

void NoteStore::NoteExit() {
    // A decrypted view is written when the window hides, the note is left
    // or the program ends.
    if (!state_.currentNoteName.empty() && !cipher_.hasBackup())
        saveInPassing();
}

} // namespace quivra::notes
