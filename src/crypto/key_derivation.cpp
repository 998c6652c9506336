#include "crypto/key_derivation.h"

#include "crypto/digest.h"
#include "crypto/hex.h"
#include "crypto/secure_wipe.h"
#include "crypto/wrap_arith.h"

#include <stdexcept>
#include <string>

namespace quivra::crypto {

std::int64_t AlternatingFold(std::u16string_view text) {
    std::uint64_t acc = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t ci = text[i];
        if (i % 2 == 0) // positions 1, 3, 5, ... counted from 1
            acc *= ci;
        else
            acc += ci;
    }
    return static_cast<std::int64_t>(acc);
}

KeySet DeriveKeySet(std::u16string_view password, const base::TextServices& text) {
    if (password.empty())
        throw std::invalid_argument("empty password");
    std::string bytes = text.utf16ToAnsi(password);
    WipeOnExit wipeBytes(bytes);
    Md5Digest md = md5(bytes);
    WipeOnExit wipeMd(md);
    Sha1Digest sha = hmacSha1(bytes, bytes);
    WipeOnExit wipeSha(sha);
    Md5Digest hmd = hmacMd5(bytes, bytes);
    WipeOnExit wipeHmd(hmd);

    std::u16string H1 = LowerHex(md);
    WipeOnExit wipeH1(H1);
    std::u16string H2 = LowerHex(sha);
    WipeOnExit wipeH2(H2);
    std::u16string H3 = LowerHex(hmd);
    WipeOnExit wipeH3(H3);

    // H1 is lowercase hexadecimal, so nothing is ever reported.
    const ReportMessage none;
    KeySet keys;
    keys.K1 = HexToInt64(H1, none) / static_cast<std::int64_t>(password.size());
    keys.K2 = AlternatingFold(password);
    keys.K3 = AlternatingFold(H1);
    keys.K4 = AlternatingFold(H2);
    keys.K5 = wrapAdd(keys.K4, H3.back());
    return keys;
}

} // namespace quivra::crypto
