// The strong cipher's form of a text: one printable token,
//   "QV1:" base64url(salt ‖ nonce ‖ cipher text ‖ tag), without padding,
// with a 16-byte random salt, a 12-byte random nonce and the 16-byte tag of
// AES-256-GCM. The key is PBKDF2-HMAC-SHA256 of the password's UTF-8 bytes
// (a lone surrogate as its three bytes, base/utf.h) with that salt. The plain
// text is the text's UTF-16 code units as little-endian bytes, so every code
// unit comes back, lone surrogates and control characters included. A token
// holds only ASCII letters, digits, "-", "_" and ":", none of which a note's
// line or a comment marker is made of.
#pragma once

#include "crypto/strong_primitives.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::crypto {

inline constexpr std::u16string_view kStrongTokenPrefix = u"QV1:";
// The program's work factor for the key; tests pass small counts.
inline constexpr std::uint32_t kStrongKeyIterations = 600'000;

using StrongSalt = std::array<std::uint8_t, 16>;

// True when the whole text is one token as encryptStrongText writes it: the
// prefix, then canonical base64url of at least a salt, a nonce and a tag,
// with a cipher text of whole code units. Nothing before or after it.
bool isStrongToken(std::u16string_view text);

// The keys of one command. Deriving a key costs the work factor, so each
// salt's key is derived once and kept until the command ends; encryption
// uses one salt for the whole command, drawn when first needed. The
// password and the keys are wiped when the object goes.
class StrongKeys {
  public:
    explicit StrongKeys(std::u16string_view password,
                        std::uint32_t iterations = kStrongKeyIterations);
    ~StrongKeys();
    StrongKeys(const StrongKeys&) = delete;
    StrongKeys& operator=(const StrongKeys&) = delete;

    const AesKey& keyFor(const StrongSalt& salt);
    const StrongSalt& encryptionSalt();
    // Keeps only the keys derived so far and wipes the password: a decrypted
    // view encrypts again under the salt of a token it opened, with no new
    // derivation. Afterwards a key for any other salt, or an encryption
    // salt when none was derived, throws std::logic_error.
    void forgetPassword();
    // The keys derived so far, where they live.
    std::vector<const AesKey*> derivedKeys() const;
    // How many keys were derived so far.
    std::size_t derivations() const noexcept { return keys_.size(); }

  private:
    std::string password_; // UTF-8
    bool forgotten_ = false;
    std::uint32_t iterations_;
    std::optional<StrongSalt> encryptionSalt_;
    std::map<StrongSalt, AesKey> keys_; // nodes stay in place, so nothing is copied
};

// The salts of the lines of `text` that are tokens, each once: the keys a
// decryption of that text needs.
std::vector<StrongSalt> tokenSalts(std::u16string_view text);

// The token of the text under the command's salt and a fresh random nonce.
std::u16string encryptStrongText(StrongKeys& keys, std::u16string_view text);

// The text of a token, or nothing when the tag fails (the wrong password or
// a damaged token) or the text is no token at all.
std::optional<std::u16string> decryptStrongToken(StrongKeys& keys, std::u16string_view token);

} // namespace quivra::crypto
