// The key a decrypted view keeps while it lives, to encrypt again what the
// user typed into it: the compatible cipher's key set and the strong
// cipher's keys derived for the tokens it opened (the password itself is
// wiped). Both are wiped when the view ends.
#pragma once

#include "crypto/decrypted_view.h"
#include "crypto/key_set.h"
#include "crypto/strong_token.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace quivra::crypto {

class ViewKeys final : public ViewCipher {
  public:
    ViewKeys(const KeySet& compatible, std::unique_ptr<StrongKeys> strong);
    ViewKeys(const ViewKeys&) = delete;
    ViewKeys& operator=(const ViewKeys&) = delete;

    // Compatible: the cipher text with as few trailing spaces as let the
    // editor keep it. Strong: a token under the salt of a token the view
    // opened, with a fresh nonce.
    std::optional<std::u16string> encrypt(std::u16string_view plain, CipherKind kind) override;

    // Where the key lives, for the tests that check it is wiped when the
    // view ends: the compatible key set and the strong keys derived.
    std::vector<std::span<const std::uint8_t>> material() const;

  private:
    KeySet compatible_;
    std::unique_ptr<StrongKeys> strong_;
};

} // namespace quivra::crypto
