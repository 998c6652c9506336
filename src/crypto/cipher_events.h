// What the decrypted view tells the rest of the window when the cipher text
// comes back.
#pragma once

namespace quivra::crypto {

class CipherEvents {
  public:
    // The editor holds the cipher text again: no decrypted line stays listed
    // in the search results.
    virtual void cipherReturned() = 0;
    // The decrypt command is back in its first mode: its caption follows.
    virtual void decryptStateReset() = 0;

  protected:
    ~CipherEvents() = default;
};

} // namespace quivra::crypto
