#include "crypto/base64url.h"

namespace quivra::crypto {

namespace {

constexpr char16_t kAlphabet[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int sextet(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 26;
    if (c >= u'0' && c <= u'9')
        return c - u'0' + 52;
    if (c == u'-')
        return 62;
    if (c == u'_')
        return 63;
    return -1;
}

} // namespace

std::u16string base64UrlEncode(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t bits = 0;
    int held = 0;
    for (std::uint8_t b : bytes) {
        bits = (bits << 8) | b;
        held += 8;
        while (held >= 6) {
            held -= 6;
            text.push_back(kAlphabet[(bits >> held) & 63]);
        }
    }
    if (held > 0)
        text.push_back(kAlphabet[(bits << (6 - held)) & 63]);
    return text;
}

std::optional<std::vector<std::uint8_t>> base64UrlDecode(std::u16string_view text) {
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int held = 0;
    for (char16_t c : text) {
        const int v = sextet(c);
        if (v < 0)
            return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<std::uint8_t>(bits >> held));
        }
    }
    if ((bits & ((1u << held) - 1)) != 0)
        return std::nullopt; // not the one text of these bytes
    return bytes;
}

} // namespace quivra::crypto
