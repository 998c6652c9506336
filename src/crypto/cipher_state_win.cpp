#include "crypto/cipher_state_win.h"

namespace quivra::crypto {

void CipherState::takeBackup() {
    state_.CipherBackup = note_.rtf();
    state_.modifiedBeforeDecryption = note_.modified();
}

void CipherState::returnCipher() {
    if (!state_.CipherBackup)
        return;
    note_.setRtf(*state_.CipherBackup);
    state_.CipherBackup.reset();
    // The note is as it was before the decryption, unsaved changes and all;
    // the decrypt command decrypts again.
    note_.setModified(state_.modifiedBeforeDecryption);
    resetDecryptState();
    events_.cipherReturned();
}

void CipherState::dropBackup() {
    state_.CipherBackup.reset();
}

void CipherState::resetDecryptState() {
    state_.decryptState = 0;
    events_.decryptStateReset();
}

} // namespace quivra::crypto
