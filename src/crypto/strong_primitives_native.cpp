// The strong cipher's primitives from OpenSSL's libcrypto (native build only).
#include "crypto/strong_primitives.h"

#include "crypto/secure_wipe.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>
#include <memory>
#include <stdexcept>
#include <string>

namespace quivra::crypto {

namespace {

struct FreeCipherContext {
    void operator()(EVP_CIPHER_CTX* c) const noexcept { EVP_CIPHER_CTX_free(c); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, FreeCipherContext>;

void check(int ok, const char* what) {
    if (ok != 1)
        throw std::runtime_error(std::string("OpenSSL ") + what + " failed");
}

int checkedSize(std::size_t n) {
    if (n > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("input too long for OpenSSL");
    return static_cast<int>(n);
}

// OpenSSL wants a pointer even for no bytes.
const unsigned char* bytesOf(ByteView b) {
    static const unsigned char kNone = 0;
    return b.empty() ? &kNone : b.data();
}

// A GCM context with its key and nonce set, for encryption or decryption.
CipherContext gcmContext(const AesKey& key, const GcmNonce& nonce, bool encrypt) {
    CipherContext c(EVP_CIPHER_CTX_new());
    if (!c)
        throw std::runtime_error("OpenSSL cipher context failed");
    check(EVP_CipherInit_ex(c.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt),
          "GCM init");
    check(EVP_CIPHER_CTX_ctrl(c.get(), EVP_CTRL_GCM_SET_IVLEN, static_cast<int>(nonce.size()),
                              nullptr),
          "GCM nonce length");
    check(EVP_CipherInit_ex(c.get(), nullptr, nullptr, key.data(), nonce.data(), encrypt),
          "GCM key");
    return c;
}

// Feeds the associated data, then the input; returns the output so far.
Bytes gcmUpdate(EVP_CIPHER_CTX* c, ByteView associated, ByteView input) {
    int got = 0;
    if (!associated.empty())
        check(EVP_CipherUpdate(c, nullptr, &got, associated.data(), checkedSize(associated.size())),
              "GCM associated data");
    Bytes out(input.size());
    if (!input.empty())
        check(EVP_CipherUpdate(c, out.data(), &got, input.data(), checkedSize(input.size())),
              "GCM update");
    return out;
}

} // namespace

void pbkdf2HmacSha256(std::string_view password, ByteView salt, std::uint32_t iterations,
                      std::span<std::uint8_t> out) {
    if (iterations == 0)
        throw std::invalid_argument("PBKDF2 needs at least one iteration");
    if (iterations > static_cast<std::uint32_t>(INT_MAX))
        throw std::length_error("too many PBKDF2 iterations for OpenSSL");
    check(PKCS5_PBKDF2_HMAC(password.empty() ? "" : password.data(), checkedSize(password.size()),
                            bytesOf(salt), checkedSize(salt.size()), static_cast<int>(iterations),
                            EVP_sha256(), checkedSize(out.size()), out.data()),
          "PBKDF2");
}

GcmSealed aes256GcmEncrypt(const AesKey& key, const GcmNonce& nonce, ByteView plain,
                           ByteView associated) {
    CipherContext c = gcmContext(key, nonce, true);
    GcmSealed sealed{gcmUpdate(c.get(), associated, plain), {}};
    int got = 0;
    unsigned char rest[16];
    check(EVP_EncryptFinal_ex(c.get(), rest, &got), "GCM final");
    check(EVP_CIPHER_CTX_ctrl(c.get(), EVP_CTRL_GCM_GET_TAG, static_cast<int>(sealed.tag.size()),
                              sealed.tag.data()),
          "GCM tag");
    return sealed;
}

std::optional<Bytes> aes256GcmDecrypt(const AesKey& key, const GcmNonce& nonce, ByteView cipherText,
                                      const GcmTag& tag, ByteView associated) {
    CipherContext c = gcmContext(key, nonce, false);
    Bytes plain = gcmUpdate(c.get(), associated, cipherText);
    GcmTag expected = tag; // OpenSSL takes the tag through a non-const pointer
    check(EVP_CIPHER_CTX_ctrl(c.get(), EVP_CTRL_GCM_SET_TAG, static_cast<int>(expected.size()),
                              expected.data()),
          "GCM tag");
    int got = 0;
    unsigned char rest[16];
    // In GCM mode the final step fails only when the tag does not match.
    if (EVP_DecryptFinal_ex(c.get(), rest, &got) != 1) {
        secureWipe(plain);
        return std::nullopt;
    }
    return plain;
}

void randomBytes(std::span<std::uint8_t> out) {
    check(RAND_bytes(out.data(), checkedSize(out.size())), "random bytes");
}

} // namespace quivra::crypto
