// The digests from the system's CNG (BCrypt) provider. Hash objects live in
// buffers of our own, as Windows 7 requires; an HMAC object holds the key's
// pads, so its buffer is wiped after use.
#include "crypto/digest.h"

#include "crypto/cng_windows.h"
#include "crypto/secure_wipe.h"

#include <string>
#include <vector>

namespace quivra::crypto {

namespace {

inline void destroyHash(BCRYPT_HASH_HANDLE h) noexcept {
    BCryptDestroyHash(h);
}
using UniqueHash =
    win::UniqueHandle<BCRYPT_HASH_HANDLE, win::NullTraits<BCRYPT_HASH_HANDLE, destroyHash>>;

using cng::check;
using cng::checkedSize;

PUCHAR bytesOf(std::string_view s) {
    return cng::input(s.data());
}

// A plain hash when hmac is false (key unused), else the HMAC over that hash.
template <typename Digest>
Digest cngDigest(LPCWSTR algorithm, bool hmac, std::string_view key, std::string_view message) {
    const cng::UniqueAlgorithm alg =
        cng::openAlgorithm(algorithm, hmac ? BCRYPT_ALG_HANDLE_HMAC_FLAG : 0);
    const DWORD objectSize = cng::objectLength(alg.get());
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
