#include "document/rtf_paragraphs.h"

#include "document/rtf_lexer.h"
#include "document/rtf_text_encoding.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quivra::document {

namespace {

// The code page of \'hh in a document that names none (\ansi alone).
constexpr unsigned kRtfDefaultCodePage = 1252;

template <std::size_t N> bool among(std::string_view word, const std::string_view (&words)[N]) {
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// Control words that stand for characters of the text.
constexpr std::string_view kCharacterWords[] = {
    "tab",     "line",    "u",       "emdash", "endash",    "emspace",   "enspace",
    "qmspace", "bullet",  "lquote",  "rquote", "ldblquote", "rdblquote", "zwj",
    "zwnj",    "ltrmark", "rtlmark", "zwbo",   "zwnbo",
};

// Groups that hold no text of the document when they open with one of
// these words (or with \*, a destination readers may skip).
constexpr std::string_view kTextlessGroups[] = {
    "fonttbl",   "colortbl",          "stylesheet", "info",    "pntext",  "pn",      "listtext",
    "listtable", "listoverridetable", "filetbl",    "revtbl",  "rsidtbl", "header",  "headerl",
    "headerr",   "headerf",           "footer",     "footerl", "footerr", "footerf", "footnote",
};

// What the rewrite cannot place paragraphs around (see the header).
constexpr std::string_view kRefusedWords[] = {
    "trowd",      "trgaph",   "trleft",  "cellx",          "cell",         "row",     "intbl",
    "itap",       "nestcell", "nestrow", "nesttableprops", "nonesttables", "pict",    "shppict",
    "nonshppict", "object",   "objdata", "result",         "field",        "fldinst", "fldrslt",
    "bin",        "upr",      "ud",
};

class ParagraphRewriter {
  public:
    ParagraphRewriter(std::string_view in, std::span<const ParagraphChange> changes,
                      const CodePages& codePages)
        : in_(in), changes_(changes), fonts_(kRtfDefaultCodePage), encoder_(codePages) {}

    std::optional<RewrittenRtf> run() {
        for (std::size_t k = 1; k < changes_.size(); ++k)
            if (changes_[k].index <= changes_[k - 1].index)
                return std::nullopt;
        out_.reserve(in_.size() + in_.size() / 4);
        RtfLexer lexer(in_);
        for (RtfToken t = lexer.next(); t.kind != RtfTokenKind::End; t = lexer.next())
            if (!token(t, lexer))
                return std::nullopt;
        const std::size_t paragraphs = paragraph_ + (hadText_ ? 1 : 0);
        // A change past the last paragraph, or of a last paragraph that the
        // document ends without text and without \par, names no line.
        if (next_ < changes_.size() && !(written_ && next_ + 1 == changes_.size()))
            return std::nullopt;
        return RewrittenRtf{std::move(out_), paragraphs};
    }

  private:
    // False when the document holds what the rewrite cannot handle.
    bool token(const RtfToken& t, const RtfLexer& lexer) {
        const bool textless = !groups_.empty() && groups_.back();
        switch (t.kind) {
        case RtfTokenKind::GroupOpen:
            // The document's own group holds the text; a group in it may not.
            groups_.push_back(!groups_.empty() && (textless || opensTextlessGroup(lexer)));
            fonts_.openGroup();
            keep(t);
            return true;
        case RtfTokenKind::GroupClose:
            if (!groups_.empty())
                groups_.pop_back();
            fonts_.closeGroup();
            keep(t);
            return true;
        case RtfTokenKind::LimitBroken:
            return false;
        case RtfTokenKind::ControlWord:
            if (among(t.word, kRefusedWords) || (t.word == "uc" && t.parameter.value_or(0) != 1))
                return false;
            fonts_.controlWord(t.word, t.parameter);
            break;
        default:
            break;
        }
        if (textless || groups_.empty()) {
            keep(t);
            return true;
        }
        if (t.kind == RtfTokenKind::Text)
            textRun(t);
        else if ((t.kind == RtfTokenKind::ControlWord && t.word == "par") ||
                 (t.kind == RtfTokenKind::ControlSymbol && (t.word == "\r" || t.word == "\n")))
            endParagraph(t); // a backslash before a line end is \par too
        else if (t.kind == RtfTokenKind::HexByte ||
                 (t.kind == RtfTokenKind::ControlWord && among(t.word, kCharacterWords)) ||
                 (t.kind == RtfTokenKind::ControlSymbol && t.word.find_first_of("{}\\~-_") == 0))
            text(t);
        else
            keep(t);
        return true;
    }

    // Whether the group opening here holds no text, from its first token.
    bool opensTextlessGroup(const RtfLexer& lexer) const {
        RtfLexer peek = lexer;
        const RtfToken first = peek.next();
        return (first.kind == RtfTokenKind::ControlSymbol && first.word == "*") ||
               (first.kind == RtfTokenKind::ControlWord && among(first.word, kTextlessGroups));
    }

    const ParagraphChange* change() const {
        return next_ < changes_.size() && changes_[next_].index == paragraph_ ? &changes_[next_]
                                                                              : nullptr;
    }

    void keep(const RtfToken& t) {
        out_ += t.raw;
        afterOpenWord_ = t.kind == RtfTokenKind::ControlWord && !t.delimited;
    }

    // A character of the paragraph's text: kept in a paragraph that does not
    // change; in one that does, the first one gives way to the new text and
    // the others go.
    void text(const RtfToken& t) {
        hadText_ = true;
        if (const ParagraphChange* c = change())
            writeNewText(*c);
        else
            keep(t);
    }

    // Text; line ends in it are the writer's layout, which readers skip.
    void textRun(const RtfToken& t) {
        const std::size_t first = t.raw.find_first_not_of("\r\n");
        if (first == std::string_view::npos || !change()) {
            hadText_ = hadText_ || first != std::string_view::npos;
            keep(t);
            return;
        }
        if (first > 0) {
            out_.append(t.raw.substr(0, first));
            afterOpenWord_ = false; // the line end ended the word
        }
        text(t);
    }

    void writeNewText(const ParagraphChange& c) {
        if (written_)
            return;
        written_ = true;
        if (c.text.empty())
            return;
        // A control word that no space ends would take the text's first
        // letters or digits as its own.
        if (afterOpenWord_)
            out_ += ' ';
        encoder_.text(out_, c.text, fonts_.textCodePage());
        afterOpenWord_ = false;
    }

    void endParagraph(const RtfToken& t) {
        // An empty paragraph takes its new text in the format of its end.
        if (const ParagraphChange* c = change()) {
            writeNewText(*c);
            ++next_;
        }
        keep(t);
        ++paragraph_;
        written_ = false;
        hadText_ = false;
    }

    std::string_view in_;
    std::span<const ParagraphChange> changes_;
    RtfFontCodePages fonts_;
    RtfTextEncoder encoder_;
    std::string out_;
    // For each open group, whether it holds no text of the document.
    std::vector<bool> groups_;
    std::size_t paragraph_ = 0;
    std::size_t next_ = 0;       // the first change not made yet
    bool written_ = false;       // the new text of this paragraph went out
    bool hadText_ = false;       // this paragraph holds text
    bool afterOpenWord_ = false; // the output ends in a control word without its space
};

} // namespace

std::optional<RewrittenRtf> rewriteParagraphs(std::string_view rtf,
                                              std::span<const ParagraphChange> changes,
                                              const CodePages& codePages) {
    return ParagraphRewriter(rtf, changes, codePages).run();
}

std::optional<std::vector<ParagraphChange>>
asParagraphChanges(std::u16string_view text, std::span<const base::TextReplacement> replacements) {
    // Each replacement's paragraph and where that paragraph starts.
    struct Placed {
        std::size_t paragraph;
        std::size_t paragraphStart;
    };
    std::vector<Placed> placed;
    std::vector<ParagraphChange> changes;
    std::size_t start = 0;
    std::size_t paragraph = 0;
    for (const base::TextReplacement& r : replacements) {
        if (r.text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string::npos ||
            text.substr(r.start, r.end - r.start).find(u'\r') != std::u16string_view::npos)
            return std::nullopt;
        for (std::size_t brk = text.find(u'\r', start);
             brk != std::u16string_view::npos && brk < r.start; brk = text.find(u'\r', start)) {
            start = brk + 1;
            ++paragraph;
        }
        if (changes.empty() || changes.back().index != paragraph) {
            const std::size_t brk = text.find(u'\r', start);
            const std::size_t end = brk == std::u16string_view::npos ? text.size() : brk;
            changes.push_back({paragraph, std::u16string(text.substr(start, end - start))});
        }
        placed.push_back({changes.size() - 1, start});
    }
    // From the last replacement back, so that the offsets of the earlier
    // ones in the same paragraph stay valid.
    for (std::size_t i = replacements.size(); i-- > 0;) {
        const base::TextReplacement& r = replacements[i];
        changes[placed[i].paragraph].text.replace(r.start - placed[i].paragraphStart,
                                                  r.end - r.start, r.text);
    }
    return changes;
}

bool readsAsChanged(std::u16string_view before, std::u16string_view after,
                    std::span<const ParagraphChange> changes) {
    auto change = changes.begin();
    std::size_t b = 0;
    std::size_t a = 0;
    for (std::size_t line = 0;; ++line) {
        const std::size_t bEnd = std::min(before.find(u'\r', b), before.size());
        const std::size_t aEnd = std::min(after.find(u'\r', a), after.size());
        std::u16string_view expected = before.substr(b, bEnd - b);
        if (change != changes.end() && change->index == line)
            expected = (change++)->text;
        if (after.substr(a, aEnd - a) != expected)
            return false;
        if (bEnd == before.size() || aEnd == after.size())
            return bEnd == before.size() && aEnd == after.size() && change == changes.end();
        b = bEnd + 1;
        a = aEnd + 1;
    }
}

} // namespace quivra::document
