// The published primitives of the strong cipher: PBKDF2 (RFC 8018) over
// HMAC-SHA256, AES-256 in GCM mode (NIST SP 800-38D) with a 96-bit nonce and a
// 128-bit tag, and random bytes from the system's generator. Like the digests
// (digest.h) they come from well-kept implementations: OpenSSL's libcrypto in
// the native build (strong_primitives_native.cpp), the system's CNG (BCrypt)
// on Windows (strong_primitives_windows.cpp). A tag that does not match is an
// ordinary answer (an empty optional); any other failure of the library
// throws std::runtime_error, which a correct installation never does.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quivra::crypto {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

using AesKey = std::array<std::uint8_t, 32>;
using GcmNonce = std::array<std::uint8_t, 12>;
using GcmTag = std::array<std::uint8_t, 16>;

// Fills `out` with PBKDF2-HMAC-SHA256 of the password bytes and the salt.
// At least one iteration (std::invalid_argument otherwise).
void pbkdf2HmacSha256(std::string_view password, ByteView salt, std::uint32_t iterations,
                      std::span<std::uint8_t> out);

struct GcmSealed {
    Bytes cipherText; // as long as the plain text
    GcmTag tag;
};

// Encrypts and authenticates `plain`; `associated` is authenticated only.
GcmSealed aes256GcmEncrypt(const AesKey& key, const GcmNonce& nonce, ByteView plain,
                           ByteView associated = {});

// The plain text, or nothing when the tag does not match the key, nonce,
// cipher text and associated data.
std::optional<Bytes> aes256GcmDecrypt(const AesKey& key, const GcmNonce& nonce, ByteView cipherText,
                                      const GcmTag& tag, ByteView associated = {});

// Bytes from the system's cryptographically secure generator.
void randomBytes(std::span<std::uint8_t> out);

} // namespace quivra::crypto
