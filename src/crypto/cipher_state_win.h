// The decrypted view of a note and the way back to its cipher text: the copy
// of the note's rich text taken before a decryption (the cipher backup) and
// the state of the decrypt command. The copy is put back before the note is
// written, left or hidden on most paths, so decrypted text never reaches the
// disk through the program's own saves.
#pragma once

#include "crypto/cipher_events.h"
#include "document/rich_edit_win.h"
#include "program/program_state.h"

namespace quivra::crypto {

class CipherState {
  public:
    CipherState(program::ProgramState& state, document::RichEdit& note, CipherEvents& events)
        : state_(state), note_(note), events_(events) {}

    bool hasBackup() const noexcept { return state_.CipherBackup.has_value(); }
    // 0: the decrypt command decrypts; 1: it returns the cipher text.
    int decryptState() const noexcept { return state_.decryptState; }

    // Before a decryption: the editor's whole rich text is copied aside,
    // replacing an earlier copy.
    void takeBackup();
    // After a decryption: the decrypt command now returns the cipher text.
    void markDecrypted() noexcept { state_.decryptState = 1; }

    // The return of the cipher: a backup is streamed back into the editor
    // from its start, replacing the content, and dropped; the modified flag
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
