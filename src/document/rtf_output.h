// Turning the RTF the editor writes into note files that lose no character
// and that other programs read. Wine's RTF writer has two modes and each
// falls short:
// - plain RTF converts each character into the code page of its font's
//   character set, taking a best-fit look-alike where one exists (é becomes e
//   under 1251); characters the code page lacks are written as \uN and kept;
// - UTF-8 RTF ({\urtf) keeps every character but turns each surrogate code
//   unit that is not part of a pair into U+FFFD, and is no standard RTF:
//   other programs (LibreOffice) show its source.
// Encrypted text holds arbitrary code units, so all of these occur in notes.
// A note is saved from the UTF-8 RTF: restoreSurrogates puts the lone
// surrogates back, then standardRtf rewrites it as {\rtf1\ansi\ansicpgN with
// \'hh for each character its font's code page holds and \uN? for every
// other code unit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::document {

// The code pages of the platform, for standardRtf.
class CodePages {
  public:
    virtual ~CodePages() = default;
    // The bytes that stand for `c` in the code page when it holds `c`
    // exactly (the bytes read back give `c` again, no look-alike); nothing
    // otherwise.
    virtual std::optional<std::string> encode(unsigned codePage, char32_t c) const = 0;
    // The text that bytes of the code page stand for, as readers take a run
    // of text and \'hh escapes (a pair of a double-byte code page is one
    // character). Bytes the code page does not define become what the
    // platform makes of them.
    virtual std::u16string decode(unsigned codePage, std::string_view bytes) const = 0;
};

// The code page in which RTF readers take the \'hh of a font of this
// character set (\fcharsetN); nothing for the symbol set and sets without
// a usable code page. DEFAULT_CHARSET (1) gives the ANSI code page.
std::optional<unsigned> codePageOfCharset(int charset, unsigned ansiCodePage) noexcept;

// Rewrites the writer's UTF-8 RTF as standard RTF: the header becomes
// {\rtf1\ansi\ansicpgN\uc1 (N = ansiCodePage); each non-ASCII character
// of the text becomes \'hh in the code page of the font it stands in when
// that code page holds it, else one \uN? per UTF-16 code unit (N signed 16
// bits, surrogates included); control characters become \uN? too, and so
// does all the text of a font without a code page (the symbol set), where
// readers would take even ASCII in the symbol code page; face names are
// written in their font's code page (else the ANSI one, else '?').
// Tables become text: the reader cannot read back the tables the writer
// writes (it ignores cells of rows the writer opened without \intbl, and a
// nested table written out fails an assertion when read), so \intbl, \itap,
// \trowd and \cellx go, \cell and \nestcell become \tab, \row and
// \nestrow \par, the properties of a nested row a \par and the text for
// readers without nested tables goes. Everything else is kept as it is.
// Nothing when the input is not UTF-8 RTF.
std::optional<std::string> standardRtf(std::string_view utf8Rtf, unsigned ansiCodePage,
                                       const CodePages& codePages);
// Whether a document begins as standardRtf writes one ({\rtf1\ansi\ansicpgN
// \uc1): a note this program wrote, rather than one another program (or an
// earlier version) wrote.
bool beginsAsStandardRtf(std::string_view rtf) noexcept;

// The character sets (\fcharsetN) named in the document's font table, each
// once, in the order met. Fonts without \fcharset use the document's default
// code page and add nothing.
std::vector<int> fontTableCharsets(std::string_view rtf);

// Given UTF-8 RTF as the writer produced it and the text it was written from
// (paragraph breaks as '\r', as the editor reports it), replaces each U+FFFD
// that stands for a surrogate code unit of the text by the escape \uN?, which
// the reader turns back into that unit. Surrogate pairs written as one 4-byte
// sequence stay; a pair written as two U+FFFD is restored too. Returns nothing
// when the document's U+FFFD and 4-byte sequences do not line up with the
// text's surrogates and U+FFFD characters (then it is not the writer's output
// for that text and is better left alone).
std::optional<std::string> restoreSurrogates(std::string_view utf8Rtf, std::u16string_view text);

} // namespace quivra::document
