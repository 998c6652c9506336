// The decrypted view of a note and the way back to its cipher text: the copy
// of the note's rich text taken before a decryption (the cipher backup) and
// the state of the decrypt command. The copy is put back before the note is
// written, left or hidden on most paths, so decrypted text never reaches the
// disk through the program's own saves.
#pragma once

#include "document/rich_edit_win.h"
#include "program/program_state.h"

#include <functional>

namespace quivra::crypto {

class CipherState {
  public:
    CipherState(program::ProgramState& state, document::RichEdit& note) : state_(state), note_(note) {}

    bool hasBackup() const noexcept { return state_.cipherBackup.has_value(); }
    // 0: the decrypt command decrypts; 1: it returns the cipher text.
    int decryptState() const noexcept { return state_.decryptState; }

    // Before a decryption: the editor's whole rich text is copied aside,
    // replacing an earlier copy.
    void takeBackup();
    // After a decryption: the decrypt command now returns the cipher text.
    void markDecrypted() noexcept { state_.decryptState = 1; }

    // The return of the cipher: a backup is streamed back into the editor
    // from its start, replacing the content, and dropped.
    void returnCipher();
    // Forgets the backup; the editor keeps what it shows.
    void dropBackup();
    // The decrypt command back to its first mode (state 0).
    void resetDecryptState();

    // Runs after the cipher has been returned (the search results are
    // emptied) and after the decrypt state was reset (its command's caption).
    std::function<void()> onCipherReturned;
    std::function<void()> onDecryptStateReset;

  private:
    program::ProgramState& state_;
    document::RichEdit& note_;
};

} // namespace quivra::crypto
