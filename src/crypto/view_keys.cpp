#include "crypto/view_keys.h"

#include "crypto/editor_fit.h"

#include <stdexcept>

namespace quivra::crypto {

ViewKeys::ViewKeys(const KeySet& compatible, std::unique_ptr<StrongKeys> strong)
    : compatible_(compatible), strong_(std::move(strong)) {
    if (strong_)
        strong_->forgetPassword();
}

std::optional<std::u16string> ViewKeys::encrypt(std::u16string_view plain, CipherKind kind) {
    if (kind == CipherKind::Strong) {
        if (!strong_)
            return std::nullopt;
        try {
            return encryptStrongText(*strong_, plain);
        } catch (const std::logic_error&) {
            return std::nullopt; // no token was opened: there is no key to use
        }
    }
    std::optional<KeptCipherText> kept = encryptForEditor(plain, compatible_);
    if (!kept)
        return std::nullopt;
    return std::move(kept->text);
}

std::vector<std::span<const std::uint8_t>> ViewKeys::material() const {
    std::vector<std::span<const std::uint8_t>> where{
        {reinterpret_cast<const std::uint8_t*>(&compatible_), sizeof compatible_}};
    if (strong_)
        for (const AesKey* key : strong_->derivedKeys())
            where.emplace_back(key->data(), key->size());
    return where;
}

} // namespace quivra::crypto
