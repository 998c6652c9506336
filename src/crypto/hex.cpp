#include "crypto/hex.h"

#include "crypto/secure_wipe.h"

namespace quivra::crypto {

namespace {

// The text was once held in a string of at most 255 characters.
constexpr std::size_t kMaxHexText = 255;

} // namespace

std::u16string LowerHex(std::span<const std::uint8_t> bytes) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0xF]);
    }
    return out;
}

std::int64_t HexToInt64(std::u16string_view text, const ReportMessage& report) {
    // Only ASCII letters change case; other characters stay as they are.
    std::u16string upper(text.substr(0, kMaxHexText));
    WipeOnExit wipe(upper); // the text is a digest of the password
    for (auto& c : upper)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - (u'a' - u'A'));
    std::uint64_t acc = 0;
    for (char16_t c : upper) {
        acc *= 16;
        if (c >= u'0' && c <= u'9')
            acc += c - u'0';
        else if (c >= u'A' && c <= u'F')
            acc += c - u'A' + 10;
        else if (report)
            report(std::u16string(kHexErrorPrefix) + upper);
    }
    return static_cast<std::int64_t>(acc);
}

} // namespace quivra::crypto
