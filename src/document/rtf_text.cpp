#include "document/rtf_text.h"

#include "base/utf.h"
#include "document/rtf_destinations.h"
#include "document/rtf_lexer.h"
#include "document/rtf_reader_words.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace quivra::document {

namespace {

// Code pages as the reader names them: 0 is the system's ANSI code page, and
// in the symbol code page each byte b stands for U+F000 + b.
constexpr unsigned kSystemCodePage = 0;
constexpr unsigned kSymbolCodePage = 42;
constexpr unsigned kUtf8 = 65001;
// What the reader takes a word without a number for.
constexpr long kNoParameter = -1000000;

// The code page of a font's character set (\fcharsetN), as the reader maps it.
unsigned charsetCodePage(long charset) {
    switch (charset) {
    case 1:
        return kSystemCodePage;
    case 2:
        return kSymbolCodePage;
    default:
        return codePageOfCharset(static_cast<int>(charset), kSystemCodePage)
            .value_or(kSystemCodePage);
    }
}

// A token as the reader takes it: one byte of text at a time (a \'hh escape
// and an escaped brace or backslash are text too).
struct Token {
    enum Kind { Text, Open, Close, Word, Symbol, End };
    Token(Kind k = End, char b = 0, std::string_view w = {}, std::optional<long> p = {})
        : kind(k), byte(b), word(w), parameter(p) {}
    Kind kind;
    char byte;
    std::string_view word;
    std::optional<long> parameter;

    bool is(Kind k) const { return kind == k; }
    bool isText(char c) const { return kind == Text && byte == c; }
};

class Tokens {
  public:
    explicit Tokens(std::string_view rtf) : rtf_(rtf), lexer_(rtf) {}

    // After the end, and after a \' without its digits, only the end.
    Token next() {
        if (ended_)
            return {};
        if (at_ < run_.size())
            return character(run_[at_++]);
        // Most of a note's text is \'hh escapes: read here, past the lexer.
        const std::size_t at = lexer_.offset();
        if (at + 3 < rtf_.size() && rtf_[at] == '\\' && rtf_[at + 1] == '\'') {
            const int high = hexDigit(rtf_[at + 2]), low = hexDigit(rtf_[at + 3]);
            if (high >= 0 && low >= 0) {
                lexer_ = RtfLexer(rtf_, {}, at + 4);
                return {Token::Text, static_cast<char>(high * 16 + low)};
            }
        }
        const RtfToken t = lexer_.next();
        switch (t.kind) {
        case RtfTokenKind::GroupOpen:
            return {Token::Open};
        case RtfTokenKind::GroupClose:
            return {Token::Close};
        case RtfTokenKind::Text:
            run_ = t.word;
            at_ = 1;
            return character(run_[0]);
        case RtfTokenKind::HexByte:
            return {Token::Text, static_cast<char>(t.byte)};
        case RtfTokenKind::ControlWord:
            return {Token::Word, 0, t.word, t.parameter};
        case RtfTokenKind::ControlSymbol:
            if (t.word.empty())
                return {};
            switch (t.word[0]) {
            case '{':
            case '}':
            case '\\':
            case ':':
                return {Token::Text, t.word[0]};
            case '\'':
                ended_ = true; // no hexadecimal digits: the reader stops
                return {};
            default:
                return {Token::Symbol, 0, t.word};
            }
        case RtfTokenKind::LimitBroken:
        case RtfTokenKind::End:
            break;
        }
        ended_ = true;
        return {};
    }

    static int hexDigit(char c) { return base::hexDigit(static_cast<unsigned char>(c)); }

  private:
    // A tab in the source is the word \tab.
    static Token character(char c) {
        return c == '\t' ? Token{Token::Word, 0, "tab"} : Token{Token::Text, c};
    }

    std::string_view rtf_;
    RtfLexer lexer_;
    std::string_view run_;
    std::size_t at_ = 0;
    bool ended_ = false;
};

// The control's reader, followed step by step where its steps decide the
// text: the destinations it reads itself, the groups it skips, and the
// braces it counts twice.
class TextReader {
  public:
    TextReader(std::string_view rtf, const CodePages& codePages, unsigned systemCodePage)
        : tokens_(rtf), codePages_(codePages), system_(systemCodePage) {
        if (rtf.starts_with("{\\urtf"))
            ansi_ = state_.codePage = kUtf8;
    }

    std::optional<std::u16string> run() {
        for (Token t = get(); !t.is(Token::End); t = get())
            route(t);
        flush();
        // A document that ends inside a group is an error to the control.
        if (depth_ > 0)
            return std::nullopt;
        // The control's own last paragraph break stands for the document's.
        if (!out_.empty() && out_.back() == u'\r')
            out_.pop_back();
        return std::move(out_);
    }

  private:
    struct State {
        unsigned codePage = 1252;
        long unicodeLength = 1; // \ucN
    };

    // --- Tokens -------------------------------------------------------------
    // The next token, with the groups counted as the reader counts them: a
    // token put back is counted again when it is taken again ("\u65{" opens
    // two groups). The brace that closes the outermost group is taken for
    // the end of the document; the reading stops there unless a destination
    // reader met it and reads on (a font table puts back a word after it).
    Token get() {
        for (;;) {
            Token t = pushed_ ? *pushed_ : tokens_.next();
            pushed_.reset();
            if (t.is(Token::End))
                return t;
            if (t.is(Token::Open)) {
                if (depth_ >= 0) {
                    saved_.resize(static_cast<std::size_t>(depth_) + 1);
                    saved_[static_cast<std::size_t>(depth_)] = state_;
                }
                ++depth_;
            } else if (t.is(Token::Close)) {
                flush();
                --depth_;
                if (depth_ >= 0 && static_cast<std::size_t>(depth_) < saved_.size())
                    state_ = saved_[static_cast<std::size_t>(depth_)];
                if (depth_ <= 0)
                    return {};
            }
            if (t.kind == Token::Text && (t.byte == '\r' || t.byte == '\n'))
                continue; // the source's layout
            return t;
        }
    }
    void unget(const Token& t) { pushed_ = t; }

    // The rest of the group; the token after is its closing brace.
    void skipGroup() {
        for (int level = 1; level > 0;) {
            const Token t = get();
            if (t.is(Token::End))
                return;
            if (t.is(Token::Open))
                ++level;
            else if (t.is(Token::Close))
                --level;
        }
    }

    // --- Routing ------------------------------------------------------------
    void route(const Token& t) {
        switch (t.kind) {
        case Token::Text:
            bytes_.push_back(t.byte);
            break;
        case Token::Symbol:
            symbol(t.word[0]);
            break;
        case Token::Word:
            flush();
            word(t.word, t.parameter);
            break;
        case Token::Open:
        case Token::Close:
        case Token::End:
            break;
        }
    }

    void symbol(char c) {
        switch (c) {
        case '*': { // a word the reader knows follows, or the group is skipped
            const Token next = get();
            if (next.is(Token::Word) && isKnownWord(next.word))
                route(next);
            else
                skipGroup();
            break;
        }
        case '~':
            put(0x00A0);
            break;
        case '_':
            put(0x2011);
            break;
        case '\r':
        case '\n':
            flush();
            paragraphBreak();
            break;
        default:
            break; // \- and \| show nothing
        }
    }

    void word(std::string_view word, std::optional<long> parameter) {
        const long value = parameter.value_or(kNoParameter);
        if (word == "fonttbl") {
            readFontTable();
        } else if (word == "stylesheet") {
            readStyleSheet();
        } else if (word == "pict") {
            readPicture();
        } else if (word == "object") {
            readObject();
        } else if (readerOwnsRest(word) || readerSkipsRest(word)) {
            skipGroup(); // the colour table and the information too
        } else if (word == "u") {
            out_.push_back(static_cast<char16_t>(static_cast<unsigned long>(value)));
            // The fallback: that many text tokens, or fewer before another.
            for (long i = 0; i < state_.unicodeLength; ++i) {
                const Token t = get();
                if (!t.is(Token::Text)) {
                    if (!t.is(Token::End))
                        unget(t);
                    break;
                }
            }
        } else if (word == "uc") {
            state_.unicodeLength = value;
        } else if (word == "ansicpg") {
            if (ansi_ != kUtf8)
                ansi_ = state_.codePage = static_cast<unsigned>(value);
        } else if (word == "deff") {
            defaultFont_ = value;
        } else if (word == "f") {
            selectFont(value);
        } else if (word == "par" || word == "sect" || word == "page") {
            paragraphBreak();
        } else if (const auto c = characterWord(word)) {
            out_.push_back(*c);
        } else {
            tableWord(word, value);
        }
    }

    void selectFont(long number) {
        const auto font = fonts_.find(number);
        if (font != fonts_.end() && ansi_ != kUtf8)
            state_.codePage = font->second;
    }

    // --- Destinations the reader reads itself -------------------------------
    // Entries in braces or without; each ends at ';' or at the brace that
    // closes it. An entry's name without its ';' takes the closing brace
    // along, which then is read twice.
    void readFontTable() {
        int braces = -1; // whether entries are in braces, once known
        for (;;) {
            Token t = get();
            if (t.is(Token::End) || t.is(Token::Close))
                break;
            if (braces < 0)
                braces = t.is(Token::Word) && t.word == "f" ? 0 : t.is(Token::Open) ? 1 : -1;
            if (braces == 1) {
                t = get();
                if (t.is(Token::End))
                    break;
            }
            long number = -1;
            unsigned codePage = kSystemCodePage;
            while (!t.is(Token::End) && !t.isText(';') && !t.is(Token::Close)) {
                if (t.is(Token::Word)) {
                    if (t.word == "f")
                        number = t.parameter.value_or(kNoParameter);
                    else if (t.word == "fcharset" && codePage == kSystemCodePage)
                        codePage = t.parameter ? charsetCodePage(*t.parameter) : kSystemCodePage;
                    else if (t.word == "cpg")
                        codePage = static_cast<unsigned>(t.parameter.value_or(kNoParameter));
                } else if (t.is(Token::Open)) {
                    skipGroup();
                } else if (t.is(Token::Text)) {
                    while (t.is(Token::Text) && !t.isText(';'))
                        t = get();
                    if (t.is(Token::Close))
                        unget(t);
                    continue;
                }
                t = get();
            }
            if (t.is(Token::End))
                break;
            if (braces == 1 && get().is(Token::End))
                break;
            fonts_[number] = codePage;
            if (number == defaultFont_ && ansi_ != kUtf8)
                state_.codePage = codePage;
        }
        // The text begins in the default font.
        unget({Token::Word, 0, "f", defaultFont_});
    }

    // Styles in braces, each ending at ';'; a style without one reads on
    // past its brace up to the next ';' anywhere.
    void readStyleSheet() {
        for (;;) {
            Token t = get();
            if (t.is(Token::End) || t.is(Token::Close))
                break;
            bool style = true;
            for (;;) {
                t = get();
                if (t.is(Token::End) || t.isText(';'))
                    break;
                if (t.is(Token::Symbol) && t.word[0] == '*') {
                    get();
                    skipGroup();
                    style = false;
                    break;
                }
                if (t.is(Token::Open)) {
                    skipGroup();
                } else if (t.is(Token::Text)) {
                    while (t.is(Token::Text)) {
                        if (t.byte == ';') {
                            unget(t);
                            break;
                        }
                        t = get();
                    }
                }
            }
            if (style)
                get(); // the style's closing brace, or whatever stands there
        }
    }

    // A picture's first run of text is its data, groups in it are skipped,
    // and words that do not describe it are read as anywhere. A picture the
    // control shows stands in the text as one space: a bitmap or a metafile
    // whose data starts as one (not PNG or JPEG, which it does not show).
    void readPicture() {
        enum class Kind { Unknown, Bitmap, Metafile, Enhanced } kind = Kind::Unknown;
        std::string data; // its first bytes
        bool read = false;
        for (int level = 1;;) {
            Token t = get();
            if (t.is(Token::Text)) {
                if (level == 1) {
                    if (!read) {
                        read = true;
                        std::string digits;
                        while (t.is(Token::Text)) {
                            if (digits.size() < 2 * kPictureHead)
                                digits.push_back(t.byte);
                            t = get();
                        }
                        data = hexBytes(digits);
                        if (t.is(Token::End))
                            return;
                    }
                } else {
                    skipGroup(); // then its closing brace counts as one here
                    t = {Token::Close};
                }
            }
            if (t.is(Token::End))
                return;
            if (t.is(Token::Close)) {
                if (--level == 0)
                    break;
                continue;
            }
            if (t.is(Token::Open)) {
                ++level;
                continue;
            }
            if (!(t.is(Token::Word) && isPictureWord(t.word)))
                route(t);
            else if (t.word == "dibitmap")
                kind = Kind::Bitmap;
            else if (t.word == "wmetafile")
                kind = Kind::Metafile;
            else if (t.word == "emfblip")
                kind = Kind::Enhanced;
        }
        const auto startsWith = [&](std::size_t at, std::string_view bytes) {
            return data.size() >= at + bytes.size() && data.compare(at, bytes.size(), bytes) == 0;
        };
        if ((kind == Kind::Bitmap && startsWith(0, std::string_view("\x28\0\0\0", 4))) ||
            (kind == Kind::Metafile && (startsWith(0, std::string_view("\x01\0\x09\0", 4)) ||
                                        startsWith(0, std::string_view("\x02\0\x09\0", 4)))) ||
            (kind == Kind::Enhanced && startsWith(40, " EMF")))
            put(u' ');
    }

    static constexpr std::size_t kPictureHead = 44;

    // Pairs of hexadecimal digits as bytes, up to the first that is none.
    static std::string hexBytes(std::string_view digits) {
        std::string bytes;
        for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
            const int high = Tokens::hexDigit(digits[i]), low = Tokens::hexDigit(digits[i + 1]);
            if (high < 0 || low < 0)
                break;
            bytes.push_back(static_cast<char>(high * 16 + low));
        }
        return bytes;
    }

    // An object gives the text of its \result; the other groups in it are
    // skipped. After a \result the object's brace ends it, and the token
    // after that is taken as part of the object.
    void readObject() {
        for (;;) {
            Token t = get();
            if (t.is(Token::End) || t.is(Token::Close))
                return;
            if (t.is(Token::Open)) {
                t = get();
                if (t.is(Token::End))
                    return;
                if (t.is(Token::Word) && t.word == "result") {
                    for (int level = 1;;) {
                        const Token r = get();
                        if (r.is(Token::End))
                            return;
                        if (r.is(Token::Open))
                            ++level;
                        else if (r.is(Token::Close) && --level < 0)
                            break;
                        route(r);
                    }
                } else {
                    skipGroup();
                }
                continue;
            }
            if (!(t.is(Token::Word) && isObjectWord(t.word)))
                return; // the token is lost, the rest is read as anywhere
        }
    }

    // --- Text ---------------------------------------------------------------
    void put(char16_t c) {
        flush();
        out_.push_back(c);
    }

    void paragraphBreak() {
        out_.push_back(u'\r');
        paragraphStart_ = out_.size();
    }

    // The bytes of text since the last token that was no text, in the code
    // page in force. A code page of one byte a character is read through a
    // table of its 256 characters, asked of the platform once.
    void flush() {
        if (bytes_.empty())
            return;
        const unsigned page = state_.codePage == kSystemCodePage ? system_ : state_.codePage;
        if (page == kSymbolCodePage) {
            for (char b : bytes_)
                out_.push_back(static_cast<char16_t>(0xF000 + static_cast<unsigned char>(b)));
        } else if (const std::u16string* table = singleByteTable(page)) {
            for (char b : bytes_)
                out_.push_back((*table)[static_cast<unsigned char>(b)]);
        } else {
            out_ += codePages_.decode(page, bytes_);
        }
        bytes_.clear();
    }

    const std::u16string* singleByteTable(unsigned page) {
        auto [at, added] = pageTables_.try_emplace(page);
        if (added && isSingleByte(page)) {
            std::string all(256, '\0');
            for (int b = 0; b < 256; ++b)
                all[static_cast<std::size_t>(b)] = static_cast<char>(b);
            at->second = codePages_.decode(page, all);
        }
        return at->second.size() == 256 ? &at->second : nullptr;
    }

    static bool isSingleByte(unsigned page) {
        return (page >= 1250 && page <= 1258) || page == 874 || page == 437 || page == 850 ||
               page == 866 || page == 10000;
    }

    // --- Tables, as the control builds them from the markup ------------------
    // A row is a paragraph "\r\n" before its cells and one after them; each
    // cell ends with a tab that also ends a paragraph. A definition (\trowd,
    // \cellx) and \intbl start a table; each nesting level has one.

    struct Table {
        std::optional<std::size_t> rowStart; // where its row's cells begin
        bool afterRow = false;               // rowStart is just past the last row
        long cellsDefined = 0;
        std::vector<std::size_t> cellEnds; // just past each cell of the row
    };

    void tableWord(std::string_view word, long value) {
        if (word == "trowd" || word == "cellx") {
            if (tables_.empty())
                tables_.emplace_back();
            if (word == "trowd")
                tables_.back().cellsDefined = 0;
            else
                ++tables_.back().cellsDefined;
        } else if (word == "pard") {
            // Right after a row with nothing since, the table ends.
            if (!tables_.empty() && tables_.back().afterRow &&
                tables_.back().rowStart == out_.size() && paragraphStart_ == out_.size()) {
                tables_.back().rowStart.reset();
                inherit_ = false;
            }
        } else if (word == "intbl") {
            if (nesting_ >= 1)
                return;
            if (tables_.empty())
                tables_.emplace_back();
            Table& table = tables_.back();
            startRowAt(table, table.rowStart && table.afterRow ? *table.rowStart : paragraphStart_);
            nesting_ = 1;
            inherit_ = true;
        } else if (word == "itap") {
            while (value > nesting_) {
                tables_.emplace_back();
                if (out_.size() != paragraphStart_)
                    paragraphBreak();
                startRowAt(tables_.back(), out_.size());
                ++nesting_;
            }
            inherit_ = false;
        } else if (word == "cell" || word == "nestcell") {
            if (tables_.empty() || !tables_.back().rowStart)
                return;
            reopenRow();
            addCell(tables_.back());
        } else if (word == "row" || word == "nestrow") {
            if (tables_.empty() || !tables_.back().rowStart)
                return;
            reopenRow();
            endRow();
        }
    }

    void startRowAt(Table& table, std::size_t at) {
        insertAt(at, u"\r\n");
        table.rowStart = at + 2;
        table.afterRow = false;
        table.cellEnds.clear();
        paragraphStart_ = std::max(paragraphStart_, at + 2);
    }

    // Text put in before what was read moves the places kept in it on.
    void insertAt(std::size_t at, std::u16string_view text) {
        out_.insert(at, text);
        const auto shift = [&](std::size_t& p) {
            if (p >= at)
                p += text.size();
        };
        shift(paragraphStart_);
        for (Table& t : tables_) {
            if (t.rowStart && *t.rowStart > at)
                *t.rowStart += text.size();
            for (std::size_t& end : t.cellEnds)
                shift(end);
        }
    }

    // A cell or row mark after a row ended outside any row starts the next.
    void reopenRow() {
        Table& table = tables_.back();
        if (nesting_ == 0 && table.afterRow) {
            startRowAt(table, *table.rowStart);
            nesting_ = 1;
        }
    }

    void addCell(Table& table) {
        out_.push_back(u'\t');
        paragraphStart_ = out_.size();
        table.cellEnds.push_back(out_.size());
    }

    void endRow() {
        Table& table = tables_.back();
        // The row has as many cells as were defined (one when none were):
        // missing ones are added, the text of cells beyond them goes.
        if (table.cellsDefined < 1) {
            addCell(table);
        } else {
            const auto defined = static_cast<std::size_t>(table.cellsDefined);
            while (table.cellEnds.size() < defined)
                addCell(table);
            const std::size_t last = table.cellEnds[defined - 1];
            if (out_.size() > last)
                out_.erase(last);
        }
        out_.append(u"\r\n");
        paragraphStart_ = out_.size();
        if (--nesting_ > 0) {
            tables_.pop_back();
        } else if (inherit_) {
            table.rowStart = out_.size();
            table.afterRow = true;
            table.cellEnds.clear();
        } else {
            tables_.clear();
        }
    }

    Tokens tokens_;
    const CodePages& codePages_;
    unsigned system_;
    unsigned ansi_ = 1252;
    State state_;
    std::vector<State> saved_; // by group depth
    int depth_ = 0;            // groups open as the reader counts them
    std::optional<Token> pushed_;
    std::map<long, unsigned> fonts_;
    long defaultFont_ = 0;
    std::string bytes_;
    std::map<unsigned, std::u16string> pageTables_; // of single-byte code pages
    std::u16string out_;
    std::size_t paragraphStart_ = 0;
    std::vector<Table> tables_; // the innermost last
    long nesting_ = 0;
    bool inherit_ = false; // the next row may carry on the last one's table
};

} // namespace

std::optional<std::u16string> rtfText(std::string_view rtf, const CodePages& codePages,
                                      unsigned systemCodePage) {
    // The reader takes a NUL byte for a space, also where a space ends a
    // control word.
    if (rtf.find('\0') != std::string_view::npos) {
        std::string spaced(rtf);
        std::replace(spaced.begin(), spaced.end(), '\0', ' ');
        return TextReader(spaced, codePages, systemCodePage).run();
    }
    return TextReader(rtf, codePages, systemCodePage).run();
}

} // namespace quivra::document
