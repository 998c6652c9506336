#include "document/rtf_output.h"

#include "document/rtf_chars.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace quivra::document {

namespace {

using rtf::isDigit;
using rtf::isLetter;

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

namespace {

// The text of the writer's UTF-8 output, walked token by token and written
// out again as standard RTF.
class StandardWriter {
  public:
    StandardWriter(std::string_view in, unsigned ansiCodePage, const CodePages& codePages)
        : in_(in), ansi_(ansiCodePage), codePages_(codePages) {}

    std::optional<std::string> run() {
        if (!in_.starts_with("{\\urtf"))
            return std::nullopt;
        pos_ = 6;
        while (pos_ < in_.size() && isDigit(in_[pos_]))
            ++pos_;
        out_.reserve(in_.size() + in_.size() / 2);
        out_ += "{\\rtf1\\ansi\\ansicpg" + std::to_string(ansi_) + "\\uc1";
        groups_.push_back({ansi_, false});
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '\\') {
                controlToken();
            } else if (c == '{') {
                if (skipTableGroup())
                    continue;
                groups_.push_back(groups_.back());
                out_ += c;
                ++pos_;
            } else if (c == '}') {
                closeGroup();
                out_ += c;
                ++pos_;
            } else if (static_cast<unsigned char>(c) >= 0x80) {
                if (!character())
                    return std::nullopt;
            } else {
                asciiByte(c);
                ++pos_;
            }
        }
        return std::move(out_);
    }

  private:
    struct Group {
        std::optional<unsigned> codePage; // of the font in force; none: \uN only
        bool fontTable = false;
    };

    // At a brace: the properties of a nested row ({\*\nesttableprops ...
    // \nestrow}) end that row and become a paragraph break; the text for
    // readers without nested tables ({\nonesttables ...}) goes. True when the
    // group was taken.
    bool skipTableGroup() {
        const std::string_view rest = in_.substr(pos_);
        const bool nested = rest.starts_with("{\\*\\nesttableprops");
        if (!nested && !rest.starts_with("{\\nonesttables") &&
            !rest.starts_with("{\\*\\nonesttables"))
            return false;
        int depth = 0;
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '\\') {
                ++pos_; // an escaped brace or backslash is no group
            } else if (c == '{') {
                ++depth;
            } else if (c == '}' && --depth == 0) {
                break;
            }
        }
        if (nested)
            out_ += "\\par ";
        return true;
    }

    void closeGroup() {
        const bool wasFontTable = groups_.back().fontTable;
        if (groups_.size() > 1)
            groups_.pop_back();
        // Readers start the text in the default font.
        if (wasFontTable && !groups_.back().fontTable)
            groups_.back().codePage = fontCodePage(defaultFont_);
    }

    std::optional<unsigned> fontCodePage(long font) const {
        const auto it = fonts_.find(font);
        return it == fonts_.end() ? std::optional<unsigned>(ansi_) : it->second;
    }

    void controlToken() {
        const size_t start = pos_++;
        if (pos_ >= in_.size()) {
            out_ += '\\';
            return;
        }
        if (!isLetter(in_[pos_])) {
            const char symbol = in_[pos_];
            if ((symbol == '{' || symbol == '}' || symbol == '\\') && !groups_.back().fontTable &&
                !groups_.back().codePage) {
                ++pos_; // a text character, see asciiByte
                unicodeEscape(static_cast<char16_t>(symbol));
                return;
            }
            // A control symbol or \'hh, kept as it is.
            pos_ += symbol == '\'' ? 3 : 1;
            out_.append(in_.substr(start, std::min(pos_, in_.size()) - start));
            pos_ = std::min(pos_, in_.size());
            return;
        }
        const size_t wordStart = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const std::string_view word = in_.substr(wordStart, pos_ - wordStart);
        const bool negative = pos_ < in_.size() && in_[pos_] == '-';
        if (negative)
            ++pos_;
        // Wine writes a line spacing it could not read ("\sl" with no number)
        // as "\sl--1000000", which reads back as "\sl-" and the text
        // "-1000000": one minus is meant.
        const size_t secondMinus = pos_;
        const bool doubleMinus =
            negative && pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1]);
        if (doubleMinus)
            ++pos_;
        long value = 0;
        bool hasValue = false;
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            if (value < 100000000L)
                value = value * 10 + (in_[pos_] - '0');
            hasValue = true;
            ++pos_;
        }
        if (negative)
            value = -value;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        if (word == "ansicpg")
            return; // the header names the code page
        if (!groups_.back().fontTable) {
            // Tables are written as text: cells end in tabs, rows in
            // paragraph breaks (see the header).
            if (word == "intbl" || word == "itap" || word == "trowd" || word == "cellx") {
                // Whatever follows must not join a control word before.
                if (out_.size() == wordEnd_)
                    out_ += ' ';
                return;
            }
            if (word == "cell" || word == "nestcell") {
                out_ += "\\tab ";
                return;
            }
            if (word == "row" || word == "nestrow") {
                out_ += "\\par ";
                return;
            }
        }
        if (doubleMinus) {
            out_.append(in_.substr(start, secondMinus - start));
            out_.append(in_.substr(secondMinus + 1, pos_ - secondMinus - 1));
        } else {
            out_.append(in_.substr(start, pos_ - start));
        }
        if (out_.back() != ' ')
            wordEnd_ = out_.size();
        if (word == "u") {
            // Its fallback character (\uc1) is no text: keep it as it is.
            if (pos_ < in_.size() && static_cast<unsigned char>(in_[pos_]) >= 0x20 &&
                static_cast<unsigned char>(in_[pos_]) < 0x80 && in_[pos_] != '\\' &&
                in_[pos_] != '{' && in_[pos_] != '}')
                out_ += in_[pos_++];
            return;
        }
        Group& group = groups_.back();
        if (word == "fonttbl") {
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

    void asciiByte(char c) {
        const auto b = static_cast<unsigned char>(c);
        // Line breaks between tokens are the writer's layout; other control
        // characters are text. In a symbol font readers take even ASCII
        // bytes in the symbol code page (Wine reads 'Y' as U+F059), so the
        // text there is all escapes.
        if (b == 0)
            return;
        const Group& group = groups_.back();
        if ((b < 0x20 && b != '\r' && b != '\n' && b != '\t') ||
            (b >= 0x20 && !group.codePage && !group.fontTable))
            unicodeEscape(b);
        else
            out_ += c;
    }

    // One UTF-8 encoded character of the text or of a face name.
    bool character() {
        char32_t c = 0;
        const size_t n = decodeUtf8(c);
        if (n == 0)
            return false;
        pos_ += n;
        const Group& group = groups_.back();
        if (group.fontTable) {
            // A face name: in its font's code page, else the ANSI one.
            std::optional<std::string> bytes;
            if (const auto page = fontCodePage(entry_))
                bytes = encode(*page, c);
            if (!bytes)
                bytes = encode(ansi_, c);
            if (bytes)
                hexBytes(*bytes);
            else
                out_ += '?';
            return true;
        }
        if (group.codePage)
            if (const auto bytes = encode(*group.codePage, c)) {
                hexBytes(*bytes);
                return true;
            }
        if (c > 0xFFFF) {
            unicodeEscape(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            unicodeEscape(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            unicodeEscape(static_cast<char16_t>(c));
        }
        return true;
    }

    // The length of the well-formed sequence at pos_ (0 if none) and its
    // code point.
    size_t decodeUtf8(char32_t& c) const {
        const auto b0 = static_cast<unsigned char>(in_[pos_]);
        size_t n = 0;
        char32_t min = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            n = 2, c = b0 & 0x1F, min = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            n = 3, c = b0 & 0x0F, min = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            n = 4, c = b0 & 0x07, min = 0x10000;
        } else {
            return 0;
        }
        if (pos_ + n > in_.size())
            return 0;
        for (size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(in_[pos_ + k]);
            if ((b & 0xC0) != 0x80)
                return 0;
            c = (c << 6) | (b & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return 0;
        return n;
    }

    // Asks the platform once per code page and character.
    std::optional<std::string> encode(unsigned page, char32_t c) {
        if (c < 0x80)
            return std::string(1, static_cast<char>(c));
        auto& known = cache_[page];
        const auto it = known.find(c);
        if (it != known.end())
            return it->second;
        return known[c] = codePages_.encode(page, c);
    }

    void hexBytes(std::string_view bytes) {
        static constexpr char kHex[] = "0123456789abcdef";
        for (char b : bytes) {
            const auto v = static_cast<unsigned char>(b);
            out_ += "\\'";
            out_ += kHex[v >> 4];
            out_ += kHex[v & 0xF];
        }
    }

    // Readers take \u's parameter as a signed 16-bit number and skip one
    // fallback character (\uc1), the '?'.
    void unicodeEscape(char16_t unit) {
        out_ += "\\u";
        out_ += std::to_string(static_cast<std::int16_t>(unit));
        out_ += '?';
    }

    std::string_view in_;
    unsigned ansi_;
    const CodePages& codePages_;
    size_t pos_ = 0;
    std::string out_;
    std::vector<Group> groups_;
    std::map<long, std::optional<unsigned>> fonts_;
    long defaultFont_ = 0;
    size_t wordEnd_ = std::string::npos; // where the last control word written ends
    long entry_ = 0;
    std::unordered_map<unsigned, std::unordered_map<char32_t, std::optional<std::string>>> cache_;
};

} // namespace

std::optional<unsigned> codePageOfCharset(int charset, unsigned ansiCodePage) noexcept {
    struct Pair {
        int charset;
        unsigned codePage;
    };
    static constexpr Pair kPages[] = {
        {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251}, {222, 874},  {238, 1250},
    };
    if (charset == 1)
        return ansiCodePage;
    for (const Pair& p : kPages)
        if (p.charset == charset)
            return p.codePage;
    return std::nullopt;
}

std::optional<std::string> standardRtf(std::string_view utf8Rtf, unsigned ansiCodePage,
                                       const CodePages& codePages) {
    return StandardWriter(utf8Rtf, ansiCodePage, codePages).run();
}

} // namespace quivra::document
