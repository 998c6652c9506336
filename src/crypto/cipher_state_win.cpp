#include "crypto/cipher_state_win.h"

namespace quivra::crypto {

void CipherState::takeBackup() {
    startDecryption();
    state_.CipherBackup = note_.rtf();
}

void CipherState::startDecryption() {
    dropBackup();
    state_.modifiedBeforeDecryption = note_.modified();
}

void CipherState::keepBackup(std::string rtf) {
    state_.CipherBackup = std::move(rtf);
}

void CipherState::returnCipher() {
    // The content set aside comes back as it was, without a load (a note of
    // cipher text in every script loads slowly); a copy is loaded.
    if (note_.hasContentAside()) {
        state_.CipherBackup.reset();
        note_.bringContentBack();
    } else if (state_.CipherBackup) {
        note_.setRtf(*state_.CipherBackup);
        state_.CipherBackup.reset();
    } else {
        return;
    }
    // The note is as it was before the decryption, unsaved changes and all;
    // the decrypt command decrypts again.
    note_.setModified(state_.modifiedBeforeDecryption);
    resetDecryptState();
    events_.cipherReturned();
}

void CipherState::dropBackup() {
    state_.CipherBackup.reset();
    note_.dropContentAside();
}

void CipherState::resetDecryptState() {
    state_.decryptState = 0;
    events_.decryptStateReset();
}

} // namespace quivra::crypto
