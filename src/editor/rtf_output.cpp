#include "editor/rtf_output.h"

#include <algorithm>

namespace quivra::editor {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}
bool isSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

// Walks the font table group, calling onCharset for each \fcharsetN; returns
// the offset just past the group, or 0 when the document has none.
template <typename F> size_t walkFontTable(std::string_view rtf, F onCharset) {
    const size_t start = rtf.find("{\\fonttbl");
    if (start == std::string_view::npos)
        return 0;
    int depth = 0;
    size_t i = start;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '\\' && i + 1 < rtf.size()) {
            if (!isLetter(rtf[i + 1])) {
                i += rtf[i + 1] == '\'' ? 4 : 2; // \'xx or a control symbol
                continue;
            }
            size_t j = i + 1;
            while (j < rtf.size() && isLetter(rtf[j]))
                ++j;
            const std::string_view word = rtf.substr(i + 1, j - i - 1);
            const size_t digits = j;
            if (j < rtf.size() && rtf[j] == '-')
                ++j;
            int value = 0;
            while (j < rtf.size() && isDigit(rtf[j]) && value < 100000)
                value = value * 10 + (rtf[j++] - '0');
            if (word == "fcharset" && j > digits)
                onCharset(value);
            i = j;
            continue;
        }
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i + 1;
        }
        ++i;
    }
    return rtf.size();
}

struct Token {
    size_t pos;
    bool replacement; // EF BF BD (U+FFFD); otherwise a 4-byte sequence
};

std::vector<Token> nonBmpTokens(std::string_view rtf, size_t from) {
    std::vector<Token> tokens;
    size_t i = from;
    while (i < rtf.size()) {
        const auto b = static_cast<unsigned char>(rtf[i]);
        if (b == 0xEF && rtf.substr(i, 3) == "\xEF\xBF\xBD") {
            tokens.push_back({i, true});
            i += 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            tokens.push_back({i, false});
            i += 4;
        } else {
            ++i;
        }
    }
    return tokens;
}

} // namespace

std::vector<int> fontTableCharsets(std::string_view rtf) {
    std::vector<int> charsets;
    walkFontTable(rtf, [&](int charset) {
        if (std::find(charsets.begin(), charsets.end(), charset) == charsets.end())
            charsets.push_back(charset);
    });
    return charsets;
}

std::optional<std::string> restoreSurrogates(std::string_view utf8Rtf, std::u16string_view text) {
    // Face names come before the text and are not part of it.
    const size_t body = walkFontTable(utf8Rtf, [](int) {});
    const std::vector<Token> tokens = nonBmpTokens(utf8Rtf, body);

    struct Fix {
        size_t pos;
        char16_t unit;
    };
    std::vector<Fix> fixes;
    size_t t = 0;
    auto replacementAt = [&](size_t k) { return k < tokens.size() && tokens[k].replacement; };
    for (size_t k = 0; k < text.size(); ++k) {
        const char16_t u = text[k];
        if (isHighSurrogate(u) && k + 1 < text.size() && isLowSurrogate(text[k + 1])) {
            if (t < tokens.size() && !tokens[t].replacement) {
                ++t;
            } else if (replacementAt(t) && replacementAt(t + 1)) {
                fixes.push_back({tokens[t].pos, u});
                fixes.push_back({tokens[t + 1].pos, text[k + 1]});
                t += 2;
            } else {
                return std::nullopt;
            }
            ++k;
        } else if (isSurrogate(u) || u == 0xFFFD) {
            if (!replacementAt(t))
                return std::nullopt;
            if (u != 0xFFFD)
                fixes.push_back({tokens[t].pos, u});
            ++t;
        }
    }
    if (t != tokens.size())
        return std::nullopt;

    std::string out;
    out.reserve(utf8Rtf.size() + fixes.size() * 8);
    size_t copied = 0;
    for (const Fix& fix : fixes) {
        out.append(utf8Rtf.substr(copied, fix.pos - copied));
        // The reader takes \u's parameter as a signed 16-bit number and skips
        // one fallback character, the '?'.
        out.append("\\u").append(std::to_string(static_cast<short>(fix.unit))).append("?");
        copied = fix.pos + 3;
    }
    out.append(utf8Rtf.substr(copied));
    return out;
}

} // namespace quivra::editor
