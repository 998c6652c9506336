#include "crypto/strong_token.h"

#include "base/utf.h"
#include "crypto/base64url.h"
#include "crypto/secure_wipe.h"

#include <algorithm>
#include <stdexcept>

namespace quivra::crypto {

namespace {

constexpr std::size_t kSaltSize = std::tuple_size_v<StrongSalt>;
constexpr std::size_t kNonceSize = std::tuple_size_v<GcmNonce>;
constexpr std::size_t kTagSize = std::tuple_size_v<GcmTag>;
constexpr std::size_t kFixedSize = kSaltSize + kNonceSize + kTagSize;

struct Token {
    StrongSalt salt;
    GcmNonce nonce;
    Bytes cipherText;
    GcmTag tag;
};

template <typename Array> Array take(const Bytes& bytes, std::size_t at) {
    Array a;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), a.size(), a.begin());
    return a;
}

std::optional<Token> parse(std::u16string_view text) {
    if (!text.starts_with(kStrongTokenPrefix))
        return std::nullopt;
    const auto bytes = base64UrlDecode(text.substr(kStrongTokenPrefix.size()));
    if (!bytes || bytes->size() < kFixedSize || (bytes->size() - kFixedSize) % 2 != 0)
        return std::nullopt;
    const std::size_t cipherEnd = bytes->size() - kTagSize;
    return Token{take<StrongSalt>(*bytes, 0), take<GcmNonce>(*bytes, kSaltSize),
                 Bytes(bytes->begin() + kSaltSize + kNonceSize,
                       bytes->begin() + static_cast<std::ptrdiff_t>(cipherEnd)),
                 take<GcmTag>(*bytes, cipherEnd)};
}

Bytes utf16LeBytes(std::u16string_view text) {
    Bytes bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t u : text) {
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return bytes;
}

std::u16string fromUtf16LeBytes(const Bytes& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return text;
}

} // namespace

bool isStrongToken(std::u16string_view text) {
    return parse(text).has_value();
}

std::vector<StrongSalt> tokenSalts(std::u16string_view text) {
    std::vector<StrongSalt> salts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\r', start);
        if (end == std::u16string_view::npos)
            end = text.size();
        if (const auto token = parse(text.substr(start, end - start)))
            if (std::find(salts.begin(), salts.end(), token->salt) == salts.end())
                salts.push_back(token->salt);
        start = end + 1;
    }
    return salts;
}

StrongKeys::StrongKeys(std::u16string_view password, std::uint32_t iterations)
    : password_(base::utf16ToUtf8(password)), iterations_(iterations) {}

StrongKeys::~StrongKeys() {
    secureWipe(password_);
    for (auto& [salt, key] : keys_)
        secureWipe(key);
}

const AesKey& StrongKeys::keyFor(const StrongSalt& salt) {
    if (forgotten_ && !keys_.contains(salt))
        throw std::logic_error("no key for this salt");
    auto [it, added] = keys_.try_emplace(salt);
    if (added) {
        try {
            pbkdf2HmacSha256(password_, salt, iterations_, it->second);
        } catch (...) {
            keys_.erase(it);
            throw;
        }
    }
    return it->second;
}

const StrongSalt& StrongKeys::encryptionSalt() {
    if (!encryptionSalt_ && forgotten_) {
        if (keys_.empty())
            throw std::logic_error("no key kept");
        encryptionSalt_ = keys_.begin()->first;
    }
    if (!encryptionSalt_) {
        StrongSalt salt;
        randomBytes(salt);
        encryptionSalt_ = salt;
    }
    return *encryptionSalt_;
}

std::vector<const AesKey*> StrongKeys::derivedKeys() const {
    std::vector<const AesKey*> keys;
    for (const auto& [salt, key] : keys_)
        keys.push_back(&key);
    return keys;
}

void StrongKeys::forgetPassword() {
    secureWipe(password_);
    password_.clear();
    forgotten_ = true;
}

std::u16string encryptStrongText(StrongKeys& keys, std::u16string_view text) {
    const StrongSalt& salt = keys.encryptionSalt();
    GcmNonce nonce;
    randomBytes(nonce);
    Bytes plain = utf16LeBytes(text);
    WipeOnExit wipePlain(plain);
    const GcmSealed sealed = aes256GcmEncrypt(keys.keyFor(salt), nonce, plain);

    Bytes token(salt.begin(), salt.end());
    token.insert(token.end(), nonce.begin(), nonce.end());
    token.insert(token.end(), sealed.cipherText.begin(), sealed.cipherText.end());
    token.insert(token.end(), sealed.tag.begin(), sealed.tag.end());
    return std::u16string(kStrongTokenPrefix) + base64UrlEncode(token);
}

std::optional<std::u16string> decryptStrongToken(StrongKeys& keys, std::u16string_view token) {
    const std::optional<Token> t = parse(token);
    if (!t)
        return std::nullopt;
    std::optional<Bytes> plain =
        aes256GcmDecrypt(keys.keyFor(t->salt), t->nonce, t->cipherText, t->tag);
    if (!plain)
        return std::nullopt;
    WipeOnExit wipePlain(*plain);
    return fromUtf16LeBytes(*plain);
}

} // namespace quivra::crypto
