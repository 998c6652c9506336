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

// What typed words are made of: ASCII, Latin, Greek and Cyrillic letters,
// punctuation and currency signs. Cipher text of the compatible cipher is
// random code units, which fall here once in a hundred or so.
bool ordinary(char16_t c) {
    return c == u'\t' || (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0x24F) ||
           (c >= 0x370 && c <= 0x52F) || (c >= 0x2000 && c <= 0x206F) ||
           (c >= 0x20A0 && c <= 0x20CF);
}

// In a line that holds compatible cipher text, the runs of code units that
// are no ordinary text, a few ordinary ones between them taken in: an
// encrypted selection among plain words.
void addCipherRuns(std::u16string_view line, std::size_t lineStart, std::vector<TextRange>& out) {
    constexpr std::size_t kBridged = 3;
    std::size_t i = 0;
    while (i < line.size()) {
        if (ordinary(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::size_t end = i + 1;
        for (std::size_t j = end; j < line.size() && j - end <= kBridged; ++j)
            if (!ordinary(line[j]))
                end = j + 1;
        out.push_back({lineStart + start, end - start});
        i = end;
    }
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
            addCipherRuns(line, start, ranges);
        else
            addTokens(line, start, ranges);
        start = end + 1;
    }
    return ranges;
}

} // namespace quivra::crypto
