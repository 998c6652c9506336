// What the encryption commands and the decrypted view tell the rest of the
// window.
#pragma once

namespace quivra::crypto {

class CipherEvents {
  public:
    // The editor holds the cipher text again: no decrypted line stays listed
    // in the search results.
    virtual void cipherReturned() = 0;
    // The decrypt command is back in its first mode: its caption follows.
    virtual void decryptStateReset() = 0;
    // The password panel took the focus: the note list's quick-search
    // results hide.
    virtual void closeQuickSearch() = 0;
    // The Ctrl key-up goes to a menu, not to the editor: Ctrl counts as
    // released.
    virtual void releaseCtrl() = 0;

  protected:
    ~CipherEvents() = default;
};

} // namespace quivra::crypto
