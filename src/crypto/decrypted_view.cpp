#include "crypto/decrypted_view.h"

#include "base/text_diff.h"
#include "crypto/note_lines_cipher.h"
#include "crypto/strong_token.h"

#include <algorithm>

namespace quivra::crypto {

namespace {

using base::TextEdit;
using base::TextReplacement;

struct LineSpan {
    std::size_t start; // first code unit
    std::size_t end;   // its break, or the text's end
};

std::vector<LineSpan> lineSpans(std::u16string_view text) {
    std::vector<LineSpan> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t brk = text.find(u'\r', start);
        const std::size_t end = brk == std::u16string_view::npos ? text.size() : brk;
        lines.push_back({start, end});
        start = end + 1;
    }
    return lines;
}

// The line holding position `at` (the last line for the text's end).
std::size_t lineAt(const std::vector<LineSpan>& lines, std::size_t at) {
    const auto it =
        std::upper_bound(lines.begin(), lines.end(), at,
                         [](std::size_t pos, const LineSpan& l) { return pos < l.start; });
    return it == lines.begin() ? 0 : static_cast<std::size_t>(it - lines.begin()) - 1;
}

long lengthChange(const TextEdit& e) {
    return static_cast<long>(e.newEnd - e.newStart) - static_cast<long>(e.oldEnd - e.oldStart);
}

// An edit wholly before a region, and one that touches it. A whole-note
// view's edits are of whole lines, which end with the break before the
// region's line; a selection's touch its edges.
bool before(const TextEdit& e, const ViewRegion& r) {
    return r.wholeLines ? e.oldEnd <= r.start : e.oldEnd < r.start;
}

bool touches(const TextEdit& e, const ViewRegion& r) {
    return e.oldStart <= r.end && (r.wholeLines ? e.oldEnd > r.start : e.oldEnd >= r.start);
}

// Whether an edit touching a selection's region lies inside it: it changes
// only the region's text, and text typed at its very edge could be either
// side's.
bool inside(const TextEdit& e, const ViewRegion& r) {
    if (e.oldStart < r.start || e.oldEnd > r.end)
        return false;
    if (e.oldStart == e.oldEnd)
        return e.oldStart > r.start && e.oldStart < r.end;
    return true;
}

// Encrypts lines of the current text one by one (empty lines stay empty),
// as the whole-note command does.
class LineEncryptor {
  public:
    LineEncryptor(std::u16string_view current, ViewCipher& cipher, CipherReturn& out)
        : current_(current), lines_(lineSpans(current)), cipher_(cipher), out_(out) {
        std::vector<std::u16string> texts;
        texts.reserve(lines_.size());
        for (const LineSpan& l : lines_)
            texts.emplace_back(current.substr(l.start, l.end - l.start));
        outside_.assign(lines_.size(), false);
        for (std::size_t i : linesOutsideComments(texts))
            outside_[i] = true;
        done_.assign(lines_.size(), false);
    }
    const std::vector<LineSpan>& lines() const { return lines_; }

    void encryptLines(std::size_t first, std::size_t last, CipherKind kind) {
        for (std::size_t i = first; i <= last && i < lines_.size(); ++i) {
            if (!outside_[i] || done_[i] || lines_[i].end == lines_[i].start)
                continue;
            done_[i] = true;
            const std::u16string_view plain =
                current_.substr(lines_[i].start, lines_[i].end - lines_[i].start);
            if (auto text = cipher_.encrypt(plain, kind))
                out_.replacements.push_back({lines_[i].start, lines_[i].end, std::move(*text)});
            else
                ++out_.refused;
        }
    }

  private:
    std::u16string_view current_;
    std::vector<LineSpan> lines_;
    std::vector<bool> outside_;
    std::vector<bool> done_;
    ViewCipher& cipher_;
    CipherReturn& out_;
};

CipherKind kindOfLine(std::u16string_view line) {
    return isStrongToken(line) ? CipherKind::Strong : CipherKind::Compatible;
}

} // namespace

DecryptedView DecryptedView::ofSelection(std::u16string text, std::size_t start, std::size_t end,
                                         std::u16string cipher, CipherKind kind) {
    std::vector<ViewRegion> regions{{start, end, std::move(cipher), kind, false}};
    return DecryptedView(std::move(text), std::move(regions));
}

DecryptedView DecryptedView::ofWholeNote(std::u16string_view cipherText, std::u16string text) {
    std::vector<ViewRegion> regions;
    const auto withoutBreak = [](std::u16string_view t, std::size_t start, std::size_t end) {
        if (end > start && t[end - 1] == u'\r')
            --end;
        return end;
    };
    for (const TextEdit& e : base::lineEdits(cipherText, text)) {
        const auto oldLines = lineSpans(cipherText.substr(e.oldStart, e.oldEnd - e.oldStart));
        const auto newLines =
            lineSpans(std::u16string_view(text).substr(e.newStart, e.newEnd - e.newStart));
        if (oldLines.size() == newLines.size()) {
            for (std::size_t i = 0; i < oldLines.size(); ++i) {
                const std::u16string_view cipher = cipherText.substr(
                    e.oldStart + oldLines[i].start, oldLines[i].end - oldLines[i].start);
                regions.push_back({e.newStart + newLines[i].start, e.newStart + newLines[i].end,
                                   std::u16string(cipher), kindOfLine(cipher), true});
            }
            continue;
        }
        // A token that gave several lines: one region over them.
        const std::size_t oldEnd = withoutBreak(cipherText, e.oldStart, e.oldEnd);
        const std::u16string_view cipher = cipherText.substr(e.oldStart, oldEnd - e.oldStart);
        regions.push_back({e.newStart, withoutBreak(text, e.newStart, e.newEnd),
                           std::u16string(cipher), kindOfLine(cipher), true});
    }
    return DecryptedView(std::move(text), std::move(regions));
}

DecryptedView DecryptedView::afterEncryption(std::u16string_view before,
                                             const std::vector<TextReplacement>& back,
                                             std::size_t start, std::size_t end,
                                             std::u16string_view cipherText, ViewCipher& cipher) {
    std::u16string text(before.substr(0, start));
    text.append(cipherText);
    text.append(before.substr(end));
    const long shift = static_cast<long>(cipherText.size()) - static_cast<long>(end - start);
    const auto placed = [&](std::size_t at) {
        return at >= end ? static_cast<std::size_t>(static_cast<long>(at) + shift) : at;
    };
    std::vector<ViewRegion> regions;
    const auto add = [&](std::size_t from, std::size_t to, std::u16string regionCipher,
                         CipherKind kind) {
        regions.push_back({placed(from), placed(to), std::move(regionCipher), kind, false});
    };
    for (const TextReplacement& r : back) {
        const CipherKind kind = kindOfLine(r.text);
        if (r.end <= start || r.start >= end) {
            add(r.start, r.end, r.text, kind);
            continue;
        }
        // Cut by the new encryption: the parts on either side go back
        // encrypted on their own.
        const auto part = [&](std::size_t from, std::size_t to) {
            if (from >= to)
                return;
            if (auto encrypted = cipher.encrypt(before.substr(from, to - from), kind))
                add(from, to, std::move(*encrypted), kind);
        };
        part(r.start, std::min(r.end, start));
        part(std::max(r.start, end), r.end);
    }
    return DecryptedView(std::move(text), std::move(regions));
}

CipherReturn DecryptedView::planReturn(std::u16string_view current, ViewCipher& cipher) const {
    CipherReturn out;
    if (current == text_) {
        out.untouched = true;
        for (const ViewRegion& r : regions_)
            out.replacements.push_back({r.start, r.end, r.cipher});
        return out;
    }
    const bool wholeNote =
        !regions_.empty() && std::all_of(regions_.begin(), regions_.end(),
                                         [](const ViewRegion& r) { return r.wholeLines; });
    // Whole-note views: every line typed or changed outside comment blocks
    // is encrypted on its own; selections: the text of each edit is placed
    // against the region's edges.
    const std::vector<TextEdit> edits =
        wholeNote ? base::lineEdits(text_, current) : base::textEdits(text_, current);
    LineEncryptor lines(current, cipher, out);
    const auto kindNear = [&](std::size_t at) {
        CipherKind kind = regions_.empty() ? CipherKind::Compatible : regions_.front().kind;
        for (const ViewRegion& r : regions_)
            if (r.start <= at)
                kind = r.kind;
        return kind;
    };
    std::size_t next = 0; // the first edit not wholly before the region
    long shift = 0;       // what the edits before it changed in length
    for (const ViewRegion& r : regions_) {
        while (next < edits.size() && before(edits[next], r))
            shift += lengthChange(edits[next++]);
        const std::size_t start = static_cast<std::size_t>(static_cast<long>(r.start) + shift);
        std::vector<const TextEdit*> touching;
        for (std::size_t i = next; i < edits.size() && edits[i].oldStart <= r.end; ++i)
            if (touches(edits[i], r))
                touching.push_back(&edits[i]);
        if (touching.empty()) {
            out.replacements.push_back({start, start + (r.end - r.start), r.cipher});
            continue;
        }
        long change = 0;
        for (const TextEdit* e : touching)
            change += lengthChange(*e);
        // A whole-note region's line may have gone with its break.
        const std::size_t end = static_cast<std::size_t>(
            std::max(static_cast<long>(start), static_cast<long>(r.end) + shift + change));
        if (!wholeNote && std::all_of(touching.begin(), touching.end(),
                                      [&](const TextEdit* e) { return inside(*e, r); })) {
            const std::u16string_view plain = current.substr(start, end - start);
            if (auto text = cipher.encrypt(plain, r.kind)) {
                out.replacements.push_back({start, end, std::move(*text)});
            } else {
                ++out.refused;
                out.replacements.push_back({start, end, r.cipher});
            }
            continue;
        }
        // The lines the region and those edits cover now are encrypted whole:
        // all of a whole-note region's lines (a token's lines go together),
        // or a selection's where the user typed at or across its edge.
        std::size_t from = start;
        std::size_t to = end;
        for (const TextEdit* e : touching) {
            from = std::min(from, e->newStart);
            to = std::max(to, e->newEnd);
        }
        const std::size_t first = lineAt(lines.lines(), from);
        const std::size_t last = lineAt(lines.lines(), to > from ? to - 1 : to);
        lines.encryptLines(first, last, r.kind);
        if (wholeNote)
            continue;
        out.guessedLines = out.guessedLines ? std::pair{std::min(out.guessedLines->first, first),
                                                        std::max(out.guessedLines->second, last)}
                                            : std::pair{first, last};
    }
    if (wholeNote)
        for (const TextEdit& e : edits)
            if (e.newEnd > e.newStart)
                lines.encryptLines(lineAt(lines.lines(), e.newStart),
                                   lineAt(lines.lines(), e.newEnd - 1), kindNear(e.oldStart));
    std::sort(out.replacements.begin(), out.replacements.end(),
              [](const TextReplacement& a, const TextReplacement& b) { return a.start < b.start; });
    return out;
}

std::u16string wholeLinesNotice(std::pair<std::size_t, std::size_t> lines) {
    const auto number = [](std::size_t n) {
        const std::string digits = std::to_string(n + 1);
        return std::u16string(digits.begin(), digits.end());
    };
    std::u16string text = u"Правка у края расшифрованного текста: ";
    if (lines.first == lines.second)
        return text + u"строка " + number(lines.first) + u" зашифрована целиком";
    return text + u"строки " + number(lines.first) + u"–" + number(lines.second) +
           u" зашифрованы целиком";
}

} // namespace quivra::crypto
