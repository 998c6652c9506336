#include "crypto/cipher_text_ranges.h"

#include "crypto/strong_token.h"

namespace quivra::crypto {

namespace {

// Salt, nonce and tag of the shortest token, in base64url without padding.
constexpr std::size_t kShortestTokenBody = ((16 + 12 + 16) * 8 + 5) / 6;

bool isBase64Url(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u'_';
}

bool neverTyped(std::u16string_view line, std::size_t i) {
    const char16_t c = line[i];
    if (c < 0x20)
        return c != u'\t' && c != u'\n' && c != u'\v' && c != u'\f';
    if (c == 0xFFFE || c == 0xFFFF)
        return true;
    if (c >= 0xD800 && c <= 0xDBFF)
        return i + 1 >= line.size() || line[i + 1] < 0xDC00 || line[i + 1] > 0xDFFF;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return i == 0 || line[i - 1] < 0xD800 || line[i - 1] > 0xDBFF;
    return false;
}

bool isCompatibleCipherLine(std::u16string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (neverTyped(line, i))
            return true;
    return false;
}

void addTokens(std::u16string_view line, std::size_t lineStart, std::vector<TextRange>& out) {
    for (std::size_t at = line.find(kStrongTokenPrefix); at != std::u16string_view::npos;) {
        std::size_t end = at + kStrongTokenPrefix.size();
        while (end < line.size() && isBase64Url(line[end]))
            ++end;
        if (end - at - kStrongTokenPrefix.size() >= kShortestTokenBody)
            out.push_back({lineStart + at, end - at});
        at = line.find(kStrongTokenPrefix, end);
    }
}

} // namespace

std::vector<TextRange> cipherTextRanges(std::u16string_view noteText) {
    std::vector<TextRange> ranges;
    std::size_t start = 0;
    while (start <= noteText.size()) {
        std::size_t end = noteText.find(u'\r', start);
        if (end == std::u16string_view::npos)
            end = noteText.size();
        const std::u16string_view line = noteText.substr(start, end - start);
        if (isCompatibleCipherLine(line))
            ranges.push_back({start, line.size()});
        else
            addTokens(line, start, ranges);
        start = end + 1;
    }
    return ranges;
}

} // namespace quivra::crypto
