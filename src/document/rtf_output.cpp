#include "document/rtf_output.h"

#include "document/rtf_lexer.h"
#include "document/rtf_text_encoding.h"

#include <algorithm>
#include <utility>

namespace quivra::document {

namespace {

// Walks the font table group, calling onCharset for each \fcharsetN; returns
// the offset just past the group, or 0 when the document has none.
template <typename F> size_t walkFontTable(std::string_view rtf, F onCharset) {
    const size_t start = rtf.find("{\\fonttbl");
    if (start == std::string_view::npos)
        return 0;
    int depth = 0;
    RtfLexer lexer(rtf, {}, start);
    for (RtfToken t = lexer.next(); t.kind != RtfTokenKind::End; t = lexer.next()) {
        if (t.kind == RtfTokenKind::ControlWord && t.word == "fcharset" && t.parameter) {
            onCharset(static_cast<int>(*t.parameter));
        } else if (t.kind == RtfTokenKind::GroupOpen) {
            ++depth;
        } else if (t.kind == RtfTokenKind::GroupClose && --depth == 0) {
            return lexer.offset();
        }
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

constexpr std::string_view kStandardStart = "{\\rtf1\\ansi\\ansicpg";
constexpr std::string_view kStandardAfterCodePage = "\\uc1";

} // namespace

bool beginsAsStandardRtf(std::string_view rtf) noexcept {
    if (!rtf.starts_with(kStandardStart))
        return false;
    const size_t digits = rtf.find_first_not_of("0123456789", kStandardStart.size());
    return digits != std::string_view::npos && digits > kStandardStart.size() &&
           rtf.substr(digits).starts_with(kStandardAfterCodePage);
}

namespace {

// The text of the writer's UTF-8 output, walked token by token and written
// out again as standard RTF.
class StandardWriter {
  public:
    StandardWriter(std::string_view in, unsigned ansiCodePage, const CodePages& codePages)
        : in_(in), ansi_(ansiCodePage), fonts_(ansiCodePage), encoder_(codePages) {}

    std::optional<std::string> run() {
        if (!in_.starts_with("{\\urtf"))
            return std::nullopt;
        const size_t body = std::min(in_.find_first_not_of("0123456789", 6), in_.size());
        out_.reserve(in_.size() + in_.size() / 2);
        out_ += std::string(kStandardStart) + std::to_string(ansi_) +
                std::string(kStandardAfterCodePage);
        RtfLexer lexer(in_, {.doubleMinus = true}, body);
        for (RtfToken t = lexer.next(); t.kind != RtfTokenKind::End; t = lexer.next()) {
            const bool afterUnicode = std::exchange(afterUnicode_, false);
            switch (t.kind) {
            case RtfTokenKind::GroupOpen:
                if (!skipTableGroup(t, lexer)) {
                    fonts_.openGroup();
                    out_ += t.raw;
                }
                break;
            case RtfTokenKind::GroupClose:
                fonts_.closeGroup();
                out_ += t.raw;
                break;
            case RtfTokenKind::ControlWord:
                controlWord(t);
                break;
            case RtfTokenKind::ControlSymbol:
            case RtfTokenKind::HexByte:
                controlSymbol(t);
                break;
            case RtfTokenKind::Text:
                if (!text(t.word, afterUnicode))
                    return std::nullopt;
                break;
            case RtfTokenKind::LimitBroken:
            case RtfTokenKind::End:
                break;
            }
        }
        return std::move(out_);
    }

  private:
    // At a brace: the properties of a nested row ({\*\nesttableprops ...
    // \nestrow}) end that row and become a paragraph break; the text for
    // readers without nested tables ({\nonesttables ...}) goes. True when the
    // group was taken.
    bool skipTableGroup(const RtfToken& open, RtfLexer& lexer) {
        const std::string_view rest = in_.substr(open.offset);
        const bool nested = rest.starts_with("{\\*\\nesttableprops");
        if (!nested && !rest.starts_with("{\\nonesttables") &&
            !rest.starts_with("{\\*\\nonesttables"))
            return false;
        for (int depth = 1; depth > 0;) {
            const RtfToken t = lexer.next();
            if (t.kind == RtfTokenKind::End)
                break;
            if (t.kind == RtfTokenKind::GroupOpen)
                ++depth;
            else if (t.kind == RtfTokenKind::GroupClose)
                --depth;
        }
        if (nested)
            out_ += "\\par ";
        return true;
    }

    // A control symbol or \'hh, kept as it is, except an escaped brace or
    // backslash in a font without a code page: a text character there (see
    // asciiByte).
    void controlSymbol(const RtfToken& t) {
        if ((t.word == "{" || t.word == "}" || t.word == "\\") && !fonts_.inFontTable() &&
            !fonts_.textCodePage()) {
            RtfTextEncoder::unicodeEscape(out_, static_cast<char16_t>(t.word[0]));
            return;
        }
        out_ += t.raw;
    }

    void controlWord(const RtfToken& t) {
        const std::string_view word = t.word;
        if (word == "ansicpg")
            return; // the header names the code page
        if (!fonts_.inFontTable()) {
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
        // Wine writes a line spacing it could not read ("\sl" with no number)
        // as "\sl--1000000", which reads back as "\sl-" and the text
        // "-1000000": one minus is meant.
        if (t.parameterText.starts_with("--")) {
            const size_t secondMinus = word.size() + 2;
            out_.append(t.raw.substr(0, secondMinus)).append(t.raw.substr(secondMinus + 1));
        } else {
            out_.append(t.raw);
        }
        if (out_.back() != ' ')
            wordEnd_ = out_.size();
        if (word == "u") {
            afterUnicode_ = true;
            return;
        }
        fonts_.controlWord(word, t.parameter);
    }

    // A run of text or of a face name; false when it is not well-formed
    // UTF-8. Right after \uN its fallback character (\uc1) is no text: it is
    // kept as it is.
    bool text(std::string_view run, bool afterUnicode) {
        size_t i = 0;
        if (afterUnicode && static_cast<unsigned char>(run[0]) >= 0x20 &&
            static_cast<unsigned char>(run[0]) < 0x80)
            out_ += run[i++];
        while (i < run.size()) {
            if (static_cast<unsigned char>(run[i]) < 0x80) {
                asciiByte(run[i++]);
                continue;
            }
            const size_t n = character(run.substr(i));
            if (n == 0)
                return false;
            i += n;
        }
        return true;
    }

    void asciiByte(char c) {
        const auto b = static_cast<unsigned char>(c);
        // Line breaks between tokens are the writer's layout; other control
        // characters are text. In a symbol font readers take even ASCII
        // bytes in the symbol code page (Wine reads 'Y' as U+F059), so the
        // text there is all escapes.
        if (b == 0)
            return;
        if ((b < 0x20 && b != '\r' && b != '\n' && b != '\t') ||
            (b >= 0x20 && !fonts_.textCodePage() && !fonts_.inFontTable()))
            RtfTextEncoder::unicodeEscape(out_, b);
        else
            out_ += c;
    }

    // One UTF-8 encoded character of the text or of a face name, at the start
    // of `run`; its length, 0 when it is not well-formed.
    size_t character(std::string_view run) {
        char32_t c = 0;
        const size_t n = decodeUtf8(run, c);
        if (n == 0)
            return 0;
        if (fonts_.inFontTable()) {
            // A face name: in its font's code page, else the ANSI one.
            std::optional<std::string> bytes;
            if (const auto page = fonts_.faceCodePage())
                bytes = encoder_.encode(*page, c);
            if (!bytes)
                bytes = encoder_.encode(ansi_, c);
            if (bytes)
                RtfTextEncoder::hexBytes(out_, *bytes);
            else
                out_ += '?';
            return n;
        }
        encoder_.character(out_, c, fonts_.textCodePage());
        return n;
    }

    // The length of the well-formed sequence at the start of `s` (0 if none)
    // and its code point.
    static size_t decodeUtf8(std::string_view s, char32_t& c) {
        const auto b0 = static_cast<unsigned char>(s[0]);
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
        if (n > s.size())
            return 0;
        for (size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(s[k]);
            if ((b & 0xC0) != 0x80)
                return 0;
            c = (c << 6) | (b & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return 0;
        return n;
    }

    std::string_view in_;
    unsigned ansi_;
    RtfFontCodePages fonts_;
    RtfTextEncoder encoder_;
    bool afterUnicode_ = false; // the token before was \uN
    std::string out_;
    size_t wordEnd_ = std::string::npos; // where the last control word written ends
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
