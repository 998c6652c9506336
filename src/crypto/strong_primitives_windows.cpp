// The strong cipher's primitives from the system's CNG (BCrypt) provider. A
// key object lives in a buffer of our own, as Windows 7 requires, and holds
// the expanded key, so the buffer is wiped after the key is destroyed.
#include "crypto/strong_primitives.h"

#include "crypto/cng_windows.h"
#include "crypto/secure_wipe.h"

#include <vector>

namespace quivra::crypto {

namespace {

using cng::check;
using cng::checkedSize;
using cng::input;

// What the system answers when a GCM tag does not match (ntstatus.h of the
// Windows SDK; mingw's headers lack it).
constexpr NTSTATUS kAuthTagMismatch = static_cast<NTSTATUS>(0xC000A002L);

// The AES provider in GCM mode, opened once: opening a provider costs far
// more than a line's encryption, and a whole-note command makes one key per
// line. It holds no key; CNG lets threads share it.
BCRYPT_ALG_HANDLE gcmAlgorithm() {
    static const cng::UniqueAlgorithm algorithm = [] {
        cng::UniqueAlgorithm alg = cng::openAlgorithm(BCRYPT_AES_ALGORITHM);
        const wchar_t* mode = BCRYPT_CHAIN_MODE_GCM;
        check(BCryptSetProperty(alg.get(), BCRYPT_CHAINING_MODE, input(mode),
                                sizeof(BCRYPT_CHAIN_MODE_GCM), 0),
              "GCM mode");
        return alg;
    }();
    return algorithm.get();
}

// An AES key in GCM mode, for one encryption or decryption.
class GcmKey {
  public:
    explicit GcmKey(const AesKey& key) {
        BCRYPT_ALG_HANDLE alg = gcmAlgorithm();
        object_.resize(cng::objectLength(alg));
        BCRYPT_KEY_HANDLE raw = nullptr;
        check(BCryptGenerateSymmetricKey(alg, &raw, object_.data(), checkedSize(object_.size()),
                                         input(key.data()), checkedSize(key.size()), 0),
              "AES key");
        key_.reset(raw);
    }
    ~GcmKey() {
        key_.reset(); // destroyed before its buffer is wiped
        secureWipe(object_);
    }
    GcmKey(const GcmKey&) = delete;
    GcmKey& operator=(const GcmKey&) = delete;

    BCRYPT_KEY_HANDLE get() const noexcept { return key_.get(); }

  private:
    std::vector<UCHAR> object_;
    cng::UniqueKey key_;
};

// Where the output of an empty text goes: given no output buffer, CNG only
// reports the size it needs and neither makes nor checks a tag.
PUCHAR outputOf(Bytes& out) {
    static UCHAR none = 0;
    return out.empty() ? &none : out.data();
}

BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO modeInfo(const GcmNonce& nonce, const GcmTag& tag,
                                               ByteView associated) {
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
    BCRYPT_INIT_AUTH_MODE_INFO(info);
    info.pbNonce = input(nonce.data());
    info.cbNonce = checkedSize(nonce.size());
    info.pbTag = input(tag.data());
    info.cbTag = checkedSize(tag.size());
    if (!associated.empty()) {
        info.pbAuthData = input(associated.data());
        info.cbAuthData = checkedSize(associated.size());
    }
    return info;
}

} // namespace

void pbkdf2HmacSha256(std::string_view password, ByteView salt, std::uint32_t iterations,
                      std::span<std::uint8_t> out) {
    if (iterations == 0)
        throw std::invalid_argument("PBKDF2 needs at least one iteration");
    const cng::UniqueAlgorithm prf =
        cng::openAlgorithm(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    check(BCryptDeriveKeyPBKDF2(prf.get(), input(password.data()), checkedSize(password.size()),
                                input(salt.data()), checkedSize(salt.size()), iterations,
                                out.data(), checkedSize(out.size()), 0),
          "PBKDF2");
}

GcmSealed aes256GcmEncrypt(const AesKey& key, const GcmNonce& nonce, ByteView plain,
                           ByteView associated) {
    const GcmKey k(key);
    GcmSealed sealed{Bytes(plain.size()), {}};
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = modeInfo(nonce, sealed.tag, associated);
    ULONG got = 0;
    check(BCryptEncrypt(k.get(), input(plain.data()), checkedSize(plain.size()), &info, nullptr, 0,
                        outputOf(sealed.cipherText), checkedSize(sealed.cipherText.size()), &got,
                        0),
          "GCM encrypt");
    return sealed;
}

std::optional<Bytes> aes256GcmDecrypt(const AesKey& key, const GcmNonce& nonce, ByteView cipherText,
                                      const GcmTag& tag, ByteView associated) {
    const GcmKey k(key);
    Bytes plain(cipherText.size());
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = modeInfo(nonce, tag, associated);
    ULONG got = 0;
    const NTSTATUS status =
        BCryptDecrypt(k.get(), input(cipherText.data()), checkedSize(cipherText.size()), &info,
                      nullptr, 0, outputOf(plain), checkedSize(plain.size()), &got, 0);
    if (status == kAuthTagMismatch) {
        secureWipe(plain);
        return std::nullopt;
    }
    check(status, "GCM decrypt");
    return plain;
}

void randomBytes(std::span<std::uint8_t> out) {
    check(BCryptGenRandom(nullptr, out.data(), checkedSize(out.size()),
                          BCRYPT_USE_SYSTEM_PREFERRED_RNG),
          "random bytes");
}

} // namespace quivra::crypto
