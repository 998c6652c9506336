// The decrypted view of a note and the way back to its cipher text: the
// content before a decryption (the cipher backup: the editor's content set
// aside, or a copy of its rich text) and the state of the decrypt command.
// The backup is put back before the note is written, left or hidden on most
// paths, so decrypted text never reaches the disk through the program's own
// saves.
#pragma once

#include "crypto/cipher_events.h"
#include "document/rich_edit_win.h"
#include "program/program_state.h"

namespace quivra::crypto {

class CipherState {
  public:
    CipherState(program::ProgramState& state, document::RichEdit& note, CipherEvents& events)
        : state_(state), note_(note), events_(events) {}

    bool hasBackup() const noexcept {
        return state_.CipherBackup.has_value() || note_.hasContentAside();
    }
    // 0: the decrypt command decrypts; 1: it returns the cipher text.
    int decryptState() const noexcept { return state_.decryptState; }

    // Before a decryption: the editor's whole rich text is copied aside,
    // replacing an earlier backup.
    void takeBackup();
    // Before a decryption that makes its backup as it goes: an earlier
    // backup goes, and the modified flag to return to is noted. The
    // decryption then sets the editor's content aside (RichEdit::
    // setContentAside) or keeps a copy (keepBackup).
    void startDecryption();
    void keepBackup(std::string rtf);
    // After a decryption: the decrypt command now returns the cipher text.
    void markDecrypted() noexcept { state_.decryptState = 1; }

    // The return of the cipher: the content set aside comes back, or a copy
    // is streamed back into the editor, replacing the content; the backup is
    // dropped, the modified flag
    // is what it was when the backup was taken and the decrypt command
    // decrypts again.
    void returnCipher();
    // Forgets the backup; the editor keeps what it shows.
    void dropBackup();
    // The decrypt command back to its first mode (state 0).
    void resetDecryptState();

  private:
    program::ProgramState& state_;
    document::RichEdit& note_;
    CipherEvents& events_;
};

} // namespace quivra::crypto
