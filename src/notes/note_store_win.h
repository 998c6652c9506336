// The open note's file: loading it, writing it when it needs writing, what
// happens when its text can be written nowhere, and what other programs (a
// synchronised folder, a second computer) do to it meanwhile.
#pragma once

#include "crypto/cipher_state_win.h"
#include "document/rich_edit_win.h"
#include "notes/note_lists_win.h"
#include "notes/note_on_disk.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "win/folder_watch_win.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quivra::notes {

// What a save of the current note came to.
enum class SaveResult {
    Unchanged, // nothing to write (unmodified, read-only, no note)
    Saved,     // written to the note's file
    Recovered, // the file refused it; the text is in a recovery file
    NotSaved,  // kept nowhere but in the editor
};

class NoteStore {
  public:
    NoteStore(program::Host& host, program::ProgramState& state, document::RichEdit& note,
              crypto::CipherState& cipher, NoteLists& lists)
        : host_(host), state_(state), note_(note), cipher_(cipher), lists_(lists) {}

    void LoadNoteFile(const std::u16string& path);
    // Loads CurrentNotePath; a note that cannot be read stays closed.
    void loadCurrentNote();
    // Writes the note when it needs writing, after checking that its file
    // is still the one the editor was filled from or last wrote: a file
    // another program changed is reloaded or, with changes in the editor,
    // kept beside a conflict copy of the editor's text; a deleted file is
    // written back only at the user's own save.
    SaveResult SaveIfModified(Moment moment = Moment::Leave);
    // Saves as a trigger in passing does (focus loss, Ctrl+S, hiding); a
    // text kept nowhere is reported to the user once, after the handler.
    void saveInPassing(Moment moment = Moment::AutoSave);
    // Saves the note before it is left and puts a decrypted view back first;
    // when its text can be kept nowhere, asks the user. False: the user
    // chose to stay with the note.
    bool closeOutgoingNote();
    // Asks, while a decrypted view is shown, whether the save keeps its text
    // plain; a yes ends the view (the decryption becomes permanent).
    void keepDecryptionIfChosen();
    void NMenu_SaveClick();
    void ImmSaveClick();
    // The editor lost the focus.
    void NoteExit();
    // Posted after a save in passing that could keep the text nowhere, and
    // after one that kept a conflict copy.
    void OnUnsavedNote();
    void OnConflictNotice();

    // Looks at the open note's file (the window was called in, the folder
    // changed): a file changed outside is reloaded unless the editor holds
    // changes; a deleted one leaves its text in the editor as unsaved.
    void lookAtNoteOnDisk();
    // Watches the notes folder (again, after a switch or once it is back).
    void watchNotesFolder();
    // The folder being watched for changes (empty: none).
    const std::wstring& watchedFolder() const { return folderWatch_.folder(); }
    bool noteDeletedOnDisk() const noexcept { return deletedOnDisk_; }
    // The open note's file while it is still the one the editor was filled
    // from or last wrote: same size, time and content.
    std::optional<std::string> unchangedNoteFile() const;
    // A note opened afresh: nothing is known of its file yet.
    void forgetNoteFile();

  private:
    bool mayLeaveNote();
    SaveResult keepUnsavedText(const std::string& rtf, const std::u16string& reason);
    DiskChange noteChangeOnDisk() const;
    // Right before a replace: the file holds what the program knows of it
    // (`fileThere`), its content compared whatever its stamp, or there is
    // still no file.
    bool fileIsAsDecided(bool fileThere) const;
    void rememberNoteFile(const FileStamp& stamp, std::string_view bytes);
    void reloadNoteFromDisk();
    void keepAsDeleted();
    SaveResult keepConflictCopy(const std::string& rtf, Moment moment);

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    crypto::CipherState& cipher_;
    NoteLists& lists_;

    // A note text that could be written neither to its file nor to a
    // recovery file, and whether the user has been told.
    struct UnsavedText {
        std::u16string reason;
        bool told = false;
        std::size_t recoveredHash = 0; // of the text last kept as a recovery file
    };
    UnsavedText unsaved_;

    // The open note's file as last read or written, and whether another
    // program deleted it since.
    KnownNoteFile known_;
    bool deletedOnDisk_ = false;
    win::FolderWatch folderWatch_;
    // What the user is told about the last conflict copy, once.
    std::wstring conflictNotice_;
    // The last conflict copy's note and text, not written twice.
    struct ConflictKept {
        std::u16string note;
        std::uint64_t hash = 0;
    };
    std::optional<ConflictKept> conflictKept_;
};

} // namespace quivra::notes
