// The digests from OpenSSL's libcrypto (native build only).
#include "crypto/digest.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <climits>
#include <stdexcept>

namespace quivra::crypto {

namespace {

const unsigned char* bytesOf(std::string_view s) {
    static const unsigned char kNone = 0; // OpenSSL wants a pointer even for no bytes
    return s.empty() ? &kNone : reinterpret_cast<const unsigned char*>(s.data());
}

template <typename Digest>
Digest hmac(const EVP_MD* md, std::string_view key, std::string_view message) {
    if (key.size() > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("HMAC key too long");
    Digest out{};
    unsigned int size = 0;
    if (!HMAC(md, bytesOf(key), static_cast<int>(key.size()), bytesOf(message), message.size(),
              out.data(), &size) ||
        size != out.size())
        throw std::runtime_error("OpenSSL HMAC failed");
    return out;
}

} // namespace

Md5Digest md5(std::string_view bytes) {
    Md5Digest out{};
    unsigned int size = 0;
    if (!EVP_Digest(bytesOf(bytes), bytes.size(), out.data(), &size, EVP_md5(), nullptr) ||
        size != out.size())
        throw std::runtime_error("OpenSSL MD5 failed");
    return out;
}

Md5Digest hmacMd5(std::string_view key, std::string_view message) {
    return hmac<Md5Digest>(EVP_md5(), key, message);
}

Sha1Digest hmacSha1(std::string_view key, std::string_view message) {
    return hmac<Sha1Digest>(EVP_sha1(), key, message);
}

} // namespace quivra::crypto
