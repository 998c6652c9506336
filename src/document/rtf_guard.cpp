#include "document/rtf_guard.h"

#include "document/rtf_destinations.h"
#include "document/rtf_lexer.h"
#include "document/rtf_table_model.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace quivra::document {

namespace {

template <std::size_t N>
bool among(std::string_view word, const std::array<std::string_view, N>& words) noexcept {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Which way the reader may take the rest of a group, by the control word.
bool skipsRest(std::string_view word) {
    return readerSkipsRest(word);
}
bool mayReadRest(std::string_view word) {
    return readerOwnsRest(word) || readerReadsPartOfRest(word);
}

// Words that put a character or an object into the text.
constexpr auto kInserting = std::to_array<std::string_view>(
    {"par",     "line",     "tab",      "emdash",    "endash",      "emspace", "enspace",
     "bullet",  "lquote",   "rquote",   "ldblquote", "rdblquote",   "page",    "sect",
     "column",  "softline", "softpage", "softcol",   "softlheight", "zwj",     "zwnj",
     "ltrmark", "rtlmark",  "chdate",   "chdpl",     "chdpa",       "chtime",  "chpgn",
     "sectnum", "chftn",    "chatn",    "chftnsep",  "chftnsepc",   "chpict",  "u",
     "pict",    "object",   "shppict"});

constexpr auto kParagraphBreaks = std::to_array<std::string_view>(
    {"par", "line", "row", "cell", "sect", "nestcell", "nestrow", "page"});

// How the reader treats the rest of a group.
enum class Reading : unsigned char {
    Read,      // token by token
    Uncertain, // after \*, or in a destination that reads some tokens and skips others
    Skipped,   // skipped whole
};

struct Group {
    Reading reading = Reading::Read;
    long unicodeLength = 1; // \ucN: fallback characters after each \uN
};

// The reader's tokenizer, walked once over the whole document: the reader
// stops at the brace that closes the outermost group or at a bad \'hh, but a
// font table reader that meets either reads on, so nothing can be left out.
class Scanner {
  public:
    Scanner(std::string_view doc, const RtfLimits& limits) : doc_(doc), limits_(limits) {
        groups_.emplace_back();
    }

    RtfScan run() {
        RtfLexer lexer(doc_, limits_.tokens);
        for (RtfToken t = lexer.next(); t.kind != RtfTokenKind::End && result_.safe();
             t = lexer.next()) {
            switch (t.kind) {
            case RtfTokenKind::GroupOpen:
                openGroup(t.offset);
                break;
            case RtfTokenKind::GroupClose:
                closeGroup();
                break;
            case RtfTokenKind::Text:
                textRun(t);
                break;
            case RtfTokenKind::HexByte:
                text(t.offset, true);
                break;
            case RtfTokenKind::ControlSymbol:
                controlSymbol(t);
                break;
            case RtfTokenKind::ControlWord:
                controlWord(t);
                break;
            case RtfTokenKind::LimitBroken:
                fail(t.limit == RtfLimit::ControlWordLetters ? RtfHazard::ControlWordTooLong
                                                             : RtfHazard::ParameterTooLong,
                     t.offset);
                break;
            case RtfTokenKind::End:
                break;
            }
        }
        if (result_.safe() && !tables_.finish())
            fail(RtfHazard::BadTable, doc_.size());
        return result_;
    }

  private:
    static constexpr int kNoNameTable = 1 << 30;

    Reading reading() const { return groups_.back().reading; }
    void setReading(Reading r) {
        if (r > groups_.back().reading)
            groups_.back().reading = r;
    }
    // A \* not followed by a control word leaves the group uncertain.
    void afterStar() {
        if (star_)
            setReading(Reading::Uncertain);
        star_ = false;
    }
    // After \uN the reader drops the next \uc text tokens. A token of another
    // kind ends that early, and the reader puts it back to read it again,
    // which runs its group or control hook a second time.
    bool endsFallback() {
        const bool twice = fallback_ > 0;
        fallback_ = 0;
        return twice;
    }
    void inserted() {
        if (reading() == Reading::Skipped)
            return;
        tables_.inserted();
        // Text in groups that may be skipped (pictures, font tables) is
        // left out of the paragraph.
        if (reading() == Reading::Read)
            result_.longestParagraph = std::max(result_.longestParagraph, ++paragraphLength_);
    }
    void paragraphBreak() {
        ++result_.paragraphs;
        paragraphLength_ = 0;
    }

    void openGroup(size_t at) {
        nameLength_ = 0;
        afterStar();
        const int opened = endsFallback() ? 2 : 1;
        groups_.push_back(groups_.back());
        depth_ += opened;
        if (depth_ > limits_.groupDepth)
            fail(RtfHazard::GroupsTooDeep, at);
    }
    void closeGroup() {
        nameLength_ = 0;
        afterStar();
        endsFallback();
        if (groups_.size() > 1)
            groups_.pop_back();
        depth_ = std::max(depth_ - 1, 0);
        if (lexicalDepth() < nameTableDepth_)
            nameTableDepth_ = kNoNameTable;
    }
    void symbol() {
        nameLength_ = 0;
        afterStar();
        endsFallback();
    }
    void text(size_t at, bool partOfName) {
        afterStar();
        if (fallback_ > 0) {
            --fallback_;
        } else {
            inserted();
        }
        if (partOfName)
            nameCharacter(at);
    }

    void textRun(const RtfToken& run) {
        for (size_t i = 0; i < run.word.size() && result_.safe(); ++i) {
            const size_t at = run.offset + i;
            switch (run.word[i]) {
            case '\r':
            case '\n':
            case '\0':
                break; // dropped by the reader, even inside a name or a \u fallback
            case '\t':
                symbol(); // read as \tab
                inserted();
                break;
            case ';':
                nameLength_ = 0;
                text(at, false);
                break;
            default:
                text(at, true);
                break;
            }
        }
    }

    void controlSymbol(const RtfToken& t) {
        if (t.word.empty())
            return; // a backslash at the very end
        switch (const char c = t.word[0]) {
        case '{':
        case '}':
        case '\\':
        case ':':
            text(t.offset, true);
            break;
        case '*':
            symbol();
            star_ = true;
            break;
        default:
            // A \' without its hex digits ends the reader, unless a font
            // table reader revives it: read on to be sure.
            symbol();
            if (c == '\r' || c == '\n') {
                inserted();
                paragraphBreak();
            } else if (c == '~' || c == '-' || c == '_' || c == '|') {
                inserted();
            }
            break;
        }
    }

    void controlWord(const RtfToken& t) {
        const long value = t.parameter.value_or(0);
        nameLength_ = 0;
        const bool starred = star_;
        star_ = false;
        const bool twice = endsFallback();
        controlWord(t.word, value, starred, t.offset);
        if (twice && result_.safe())
            controlWord(t.word, value, false, t.offset);
    }

    void controlWord(std::string_view word, long value, bool starred, size_t at) {
        if (word == "fonttbl" || word == "stylesheet")
            nameTableDepth_ = std::min(nameTableDepth_, lexicalDepth());
        // Inside a group that may be skipped the reader may be in a
        // destination reader that reads these words differently (\object
        // reads its \result), so they only make a read group skipped.
        if (skipsRest(word) && reading() == Reading::Read)
            setReading(Reading::Skipped);
        else if (skipsRest(word) || mayReadRest(word) || (starred && word != "nesttableprops"))
            setReading(Reading::Uncertain);

        if (reading() == Reading::Skipped)
            return;
        if (word == "uc")
            groups_.back().unicodeLength = value;
        const bool breaks = among(word, kParagraphBreaks);
        if (among(word, kInserting)) {
            if (breaks)
                tables_.inserted(); // the break is no part of the paragraph
            else
                inserted();
        }
        if (breaks)
            paragraphBreak();
        if (word == "u")
            fallback_ = std::max(groups_.back().unicodeLength, 0L);
        tableWord(word, value, at);
    }

    void tableWord(std::string_view word, long value, size_t at) {
        using Token = RtfTableModel::Token;
        const auto context = reading() == Reading::Read ? RtfTableModel::Context::Read
                                                        : RtfTableModel::Context::Uncertain;
        auto take = [&](Token token, long parameter = 0) {
            if (!tables_.take(token, context, parameter))
                fail(RtfHazard::BadTable, at);
        };
        if (word == "itap") {
            if (value > limits_.tableNesting)
                fail(RtfHazard::TablesTooDeep, at);
            else
                take(Token::NestLevel, std::max(value, 0L));
        } else if (word == "intbl") {
            take(Token::InTable);
        } else if (word == "trowd") {
            take(Token::RowDefaults);
        } else if (word == "cellx") {
            take(Token::CellBoundary);
        } else if (word == "cell" || word == "nestcell") {
            take(Token::Cell);
        } else if (word == "row" || word == "nestrow") {
            take(Token::Row);
        } else if (word == "pard") {
            take(Token::ParagraphDefaults);
        }
    }

    // One character of text; inside a font or style table it may extend a
    // name.
    void nameCharacter(size_t at) {
        if (lexicalDepth() >= nameTableDepth_ && ++nameLength_ > limits_.nameLength)
            fail(RtfHazard::NameTooLong, at);
    }

    int lexicalDepth() const { return static_cast<int>(groups_.size()) - 1; }

    void fail(RtfHazard hazard, size_t at) {
        if (!result_.safe())
            return;
        result_.hazard = hazard;
        result_.offset = at;
    }

    std::string_view doc_;
    const RtfLimits& limits_;
    int depth_ = 0; // groups open as the reader counts them
    int nameTableDepth_ = kNoNameTable;
    size_t nameLength_ = 0;
    long fallback_ = 0;
    size_t paragraphLength_ = 0;
    bool star_ = false;
    std::vector<Group> groups_; // as the braces nest; the first stands for none
    RtfTableModel tables_;
    RtfScan result_;
};

} // namespace

bool startsAsRtf(std::string_view bytes) noexcept {
    return bytes.starts_with("{\\rtf") || bytes.starts_with("{\\urtf");
}

RtfScan scanRtf(std::string_view document, const RtfLimits& limits) {
    if (!startsAsRtf(document))
        return {};
    return Scanner(document, limits).run();
}

} // namespace quivra::document
