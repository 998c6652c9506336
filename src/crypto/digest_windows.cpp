// The digests from the system's CNG (BCrypt) provider. Hash objects live in
// buffers of our own, as Windows 7 requires; an HMAC object holds the key's
// pads, so its buffer is wiped after use.
#include "crypto/digest.h"

#include "crypto/secure_wipe.h"
#include "win/handles_win.h"

#include <windows.h>

#include <bcrypt.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

namespace quivra::crypto {

namespace {

inline void closeAlgorithm(BCRYPT_ALG_HANDLE h) noexcept {
    BCryptCloseAlgorithmProvider(h, 0);
}
inline void destroyHash(BCRYPT_HASH_HANDLE h) noexcept {
    BCryptDestroyHash(h);
}
using UniqueAlgorithm =
    win::UniqueHandle<BCRYPT_ALG_HANDLE, win::NullTraits<BCRYPT_ALG_HANDLE, closeAlgorithm>>;
using UniqueHash =
    win::UniqueHandle<BCRYPT_HASH_HANDLE, win::NullTraits<BCRYPT_HASH_HANDLE, destroyHash>>;

void check(NTSTATUS status, const char* what) {
    if (!BCRYPT_SUCCESS(status))
        throw std::runtime_error(std::string("CNG ") + what + " failed, status " +
                                 std::to_string(static_cast<unsigned long>(status)));
}

ULONG checkedSize(std::size_t n) {
    if (n > static_cast<std::size_t>(ULONG_MAX))
        throw std::length_error("digest input too long");
    return static_cast<ULONG>(n);
}

PUCHAR bytesOf(std::string_view s) {
    return reinterpret_cast<PUCHAR>(const_cast<char*>(s.data()));
}

// A plain hash when hmac is false (key unused), else the HMAC over that hash.
template <typename Digest>
Digest cngDigest(LPCWSTR algorithm, bool hmac, std::string_view key, std::string_view message) {
    BCRYPT_ALG_HANDLE rawAlg = nullptr;
    check(BCryptOpenAlgorithmProvider(&rawAlg, algorithm, nullptr,
                                      hmac ? BCRYPT_ALG_HANDLE_HMAC_FLAG : 0),
          "open algorithm");
    UniqueAlgorithm alg(rawAlg);

    DWORD objectSize = 0;
    ULONG got = 0;
    check(BCryptGetProperty(alg.get(), BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectSize),
                            sizeof(objectSize), &got, 0),
          "object length");
    std::vector<UCHAR> object(objectSize);
    WipeOnExit wipeObject(object);

    Digest out{};
    {
        BCRYPT_HASH_HANDLE rawHash = nullptr;
        check(BCryptCreateHash(alg.get(), &rawHash, object.data(), objectSize,
                               hmac ? bytesOf(key) : nullptr, hmac ? checkedSize(key.size()) : 0,
                               0),
              "create hash");
        UniqueHash hash(rawHash);
        if (!message.empty())
            check(BCryptHashData(hash.get(), bytesOf(message), checkedSize(message.size()), 0),
                  "hash data");
        check(BCryptFinishHash(hash.get(), out.data(), static_cast<ULONG>(out.size()), 0),
              "finish hash");
    } // the hash object is destroyed before its buffer is wiped
    return out;
}

} // namespace

Md5Digest md5(std::string_view bytes) {
    return cngDigest<Md5Digest>(BCRYPT_MD5_ALGORITHM, false, {}, bytes);
}

Md5Digest hmacMd5(std::string_view key, std::string_view message) {
    return cngDigest<Md5Digest>(BCRYPT_MD5_ALGORITHM, true, key, message);
}

Sha1Digest hmacSha1(std::string_view key, std::string_view message) {
    return cngDigest<Sha1Digest>(BCRYPT_SHA1_ALGORITHM, true, key, message);
}

} // namespace quivra::crypto
