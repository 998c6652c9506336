// The tokens of RTF as readers split a document: braces, control words with
// their numeric parameter, control symbols, \'hh escapes and runs of text.
// The note guard, the standard RTF writer and the font table walk all read
// RTF through this one lexer, so they agree on where a token ends and on what
// a parameter is worth.
//
// A control word is a backslash and ASCII letters, then an optional '-' and
// digits, then one space that only delimits it. A parameter is exact up to
// kRtfParameterCap and reads as the cap (with its sign) beyond it: readers
// take 32-bit numbers at most, and a number that large means nothing to
// either side. A '-' without digits belongs to the word, as readers skip it.
// A \' escape without two hexadecimal digits is the control symbol '\'':
// readers take the two characters after it with it, whatever they are.
// The character classes are ASCII's; the C library's depend on the locale.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>

namespace quivra::document {

inline constexpr long kRtfParameterCap = 1'000'000'000;

struct RtfLexerOptions {
    // A control word with more letters, or a parameter with more digits, is
    // reported (RtfTokenKind::LimitBroken) instead of read.
    std::size_t controlWordLetters = std::numeric_limits<std::size_t>::max();
    std::size_t parameterDigits = std::numeric_limits<std::size_t>::max();
    // Wine writes a line spacing it could not read as "\sl--1000000"; with
    // this set, such a second minus before digits belongs to the parameter
    // (which is then negative once). Readers take it for text.
    bool doubleMinus = false;
};

enum class RtfTokenKind {
    GroupOpen,
    GroupClose,
    ControlWord,
    ControlSymbol,
    HexByte,
    Text,
    LimitBroken,
    End,
};

enum class RtfLimit { None, ControlWordLetters, ParameterDigits };

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    // Where its first byte is in the document.
    std::size_t offset = 0;
    // Every byte it covers, the delimiting space of a control word included.
    std::string_view raw;
    // ControlWord: its letters. ControlSymbol: the character after the
    // backslash (empty for a backslash that ends the document). Text: the
    // run, which never holds a brace or a backslash.
    std::string_view word;
    // ControlWord: the sign and digits as written (a lone "-" for a minus
    // without digits), empty when there are none.
    std::string_view parameterText;
    // ControlWord: the parameter's value when it has digits.
    std::optional<long> parameter;
    // ControlWord: a space after it was taken as its end.
    bool delimited = false;
    // HexByte: the byte the escape stands for.
    unsigned char byte = 0;
    // LimitBroken: which limit; `offset` is the backslash of the token.
    RtfLimit limit = RtfLimit::None;
};

class RtfLexer {
  public:
    // Reads `document` from byte `from` on; offsets count from the start of
    // `document`.
    explicit RtfLexer(std::string_view document, RtfLexerOptions options = {},
                      std::size_t from = 0) noexcept
        : doc_(document), options_(options), pos_(from < document.size() ? from : document.size()) {
    }

    // The next token; End at the end of the document and after a token that
    // broke a limit.
    RtfToken next() noexcept;
    // Where the next token starts.
    std::size_t offset() const noexcept { return pos_; }

  private:
    RtfToken controlToken(std::size_t start) noexcept;
    RtfToken controlWord(std::size_t start) noexcept;
    RtfToken token(RtfTokenKind kind, std::size_t start) const noexcept;

    std::string_view doc_;
    RtfLexerOptions options_;
    std::size_t pos_;
};

} // namespace quivra::document
