// The published digests the key derivation uses: MD5 (RFC 1321) and HMAC
// (RFC 2104) over MD5 and SHA-1. They come from well-kept implementations:
// OpenSSL's libcrypto in the native build (digest_native.cpp), the system's
// CNG (BCrypt) on Windows (digest_windows.cpp). Both throw std::runtime_error if
// the library fails, which a correct installation never does.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quivra::crypto {

using Md5Digest = std::array<std::uint8_t, 16>;
using Sha1Digest = std::array<std::uint8_t, 20>;

Md5Digest md5(std::string_view bytes);
Md5Digest hmacMd5(std::string_view key, std::string_view message);
Sha1Digest hmacSha1(std::string_view key, std::string_view message);

} // namespace quivra::crypto
