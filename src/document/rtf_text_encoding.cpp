#include "document/rtf_text_encoding.h"

#include <cstdint>

namespace quivra::document {

RtfFontCodePages::RtfFontCodePages(unsigned ansiCodePage) : ansi_(ansiCodePage) {
    groups_.push_back({ansi_, false});
}

void RtfFontCodePages::openGroup() {
    groups_.push_back(groups_.back());
}

void RtfFontCodePages::closeGroup() {
    const bool wasFontTable = groups_.back().fontTable;
    if (groups_.size() > 1)
        groups_.pop_back();
    // Readers start the text in the default font.
    if (wasFontTable && !groups_.back().fontTable)
        groups_.back().codePage = fontCodePage(defaultFont_);
}

std::optional<unsigned> RtfFontCodePages::fontCodePage(long font) const {
    const auto it = fonts_.find(font);
    return it == fonts_.end() ? std::optional<unsigned>(ansi_) : it->second;
}

void RtfFontCodePages::controlWord(std::string_view word, std::optional<long> parameter) {
    const bool hasValue = parameter.has_value();
    const long value = parameter.value_or(0);
    Group& group = groups_.back();
    if (word == "ansicpg" && value > 0) {
        ansi_ = static_cast<unsigned>(value);
        group.codePage = ansi_;
    } else if (word == "fonttbl") {
        group.fontTable = true;
    } else if (word == "deff" && hasValue) {
        defaultFont_ = value;
    } else if (group.fontTable) {
        if (word == "f" && hasValue) {
            entry_ = value;
            fonts_[entry_] = ansi_;
        } else if (word == "fcharset" && hasValue) {
            fonts_[entry_] = codePageOfCharset(static_cast<int>(value), ansi_);
        } else if (word == "cpg" && hasValue && value > 0) {
            fonts_[entry_] = static_cast<unsigned>(value);
        }
    } else if (word == "f" && hasValue) {
        group.codePage = fontCodePage(value);
    }
}

std::optional<std::string> RtfTextEncoder::encode(unsigned codePage, char32_t c) {
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    auto& known = cache_[codePage];
    const auto it = known.find(c);
    if (it != known.end())
        return it->second;
    return known[c] = codePages_.encode(codePage, c);
}

void RtfTextEncoder::character(std::string& out, char32_t c, std::optional<unsigned> codePage) {
    if (codePage)
        if (const auto bytes = encode(*codePage, c)) {
            hexBytes(out, *bytes);
            return;
        }
    if (c > 0xFFFF) {
        unicodeEscape(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        unicodeEscape(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        unicodeEscape(out, static_cast<char16_t>(c));
    }
}

void RtfTextEncoder::text(std::string& out, std::u16string_view text,
                          std::optional<unsigned> codePage) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u == u'\t') {
            out += "\\tab ";
        } else if (u < 0x80) {
            if (u < 0x20 || !codePage) {
                unicodeEscape(out, u);
                continue;
            }
            if (u == u'{' || u == u'}' || u == u'\\')
                out += '\\';
            out += static_cast<char>(u);
        } else if (isHighSurrogate(u) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            character(out, 0x10000 + ((char32_t{u} - 0xD800) << 10) + (text[i + 1] - 0xDC00),
                      codePage);
            ++i;
        } else if (isSurrogate(u)) {
            unicodeEscape(out, u); // a lone half: no code page holds it
        } else {
            character(out, u, codePage);
        }
    }
}

void RtfTextEncoder::hexBytes(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (char b : bytes) {
        const auto v = static_cast<unsigned char>(b);
        out += "\\'";
        out += kHex[v >> 4];
        out += kHex[v & 0xF];
    }
}

void RtfTextEncoder::unicodeEscape(std::string& out, char16_t unit) {
    // Readers take \u's parameter as a signed 16-bit number and skip one
    // fallback character (\uc1), the '?'.
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

} // namespace quivra::document
