// Writing text into standard RTF so that readers read back every code unit,
// and knowing which code page readers take a \'hh in at a point of a
// document. The standard RTF writer (rtf_output.h) and the paragraph rewrite
// (rtf_paragraphs.h) write text through these two, so both write a character
// the same way.
#pragma once

#include "document/rtf_output.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quivra::document {

inline bool isHighSurrogate(char16_t u) noexcept {
    return u >= 0xD800 && u <= 0xDBFF;
}
inline bool isLowSurrogate(char16_t u) noexcept {
    return u >= 0xDC00 && u <= 0xDFFF;
}
inline bool isSurrogate(char16_t u) noexcept {
    return u >= 0xD800 && u <= 0xDFFF;
}

// Follows the font table and the font in force in each group, as a reader
// does; told every brace and control word of the document in order.
class RtfFontCodePages {
  public:
    explicit RtfFontCodePages(unsigned ansiCodePage);

    void openGroup();
    void closeGroup();
    // \fonttbl, \deff, \f, \fcharset and \cpg matter; \ansicpg in the header
    // names the ANSI code page. Other words change nothing.
    void controlWord(std::string_view word, std::optional<long> parameter);

    bool inFontTable() const { return groups_.back().fontTable; }
    // The code page readers take the text here in; none in a font without
    // one (the symbol set), where even ASCII is read in the symbol code page.
    std::optional<unsigned> textCodePage() const { return groups_.back().codePage; }
    // Inside the font table: the code page of the font being named.
    std::optional<unsigned> faceCodePage() const { return fontCodePage(entry_); }
    unsigned ansiCodePage() const noexcept { return ansi_; }

  private:
    struct Group {
        std::optional<unsigned> codePage;
        bool fontTable = false;
    };
    std::optional<unsigned> fontCodePage(long font) const;

    unsigned ansi_;
    std::vector<Group> groups_;
    std::map<long, std::optional<unsigned>> fonts_;
    long defaultFont_ = 0;
    long entry_ = 0;
};

// Writes characters as RTF text: \'hh for a character its font's code page
// holds exactly, else one \uN? per UTF-16 code unit (N signed 16 bits, read
// with \uc1). Asks the platform once per code page and character.
class RtfTextEncoder {
  public:
    explicit RtfTextEncoder(const CodePages& codePages) : codePages_(codePages) {}

    // The bytes of `c` in the code page, when it holds it exactly.
    std::optional<std::string> encode(unsigned codePage, char32_t c);
    // A character that is not ASCII, in a font of `codePage` (none: escapes
    // only).
    void character(std::string& out, char32_t c, std::optional<unsigned> codePage);
    // Text of the editor (paragraph breaks excluded) in a font of `codePage`:
    // braces and backslashes escaped, a tab as \tab, other control
    // characters and lone surrogates as \uN?, and in a font without a code
    // page every code unit as \uN?. A caller that writes it right after a
    // control word ends the word with a space first.
    void text(std::string& out, std::u16string_view text, std::optional<unsigned> codePage);

    static void hexBytes(std::string& out, std::string_view bytes);
    static void unicodeEscape(std::string& out, char16_t unit);

  private:
    const CodePages& codePages_;
    std::unordered_map<unsigned, std::unordered_map<char32_t, std::optional<std::string>>> cache_;
};

} // namespace quivra::document
