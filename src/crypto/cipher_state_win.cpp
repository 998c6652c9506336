#include "crypto/cipher_state_win.h"

namespace quivra::crypto {

void CipherState::takeBackup() {
    state_.cipherBackup = note_.rtf();
}

void CipherState::returnCipher() {
    if (!state_.cipherBackup)
        return;
    note_.setRtf(*state_.cipherBackup);
    state_.cipherBackup.reset();
    events_.cipherReturned();
}

void CipherState::dropBackup() {
    state_.cipherBackup.reset();
}

void CipherState::resetDecryptState() {
    state_.decryptState = 0;
    events_.decryptStateReset();
}

} // namespace quivra::crypto
