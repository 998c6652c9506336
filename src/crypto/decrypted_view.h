// A decrypted view of a note: which text of the editor is decrypted and what
// the note held there, so that the cipher can come back with the user's
// edits kept. Where the user typed nothing, the cipher text goes back as it
// was (the same tokens); text typed inside decrypted text is encrypted again
// with the view's key; text typed outside it stays as typed. An edit at or
// across the edge of decrypted text cannot be told inside or outside: every
// line from the first to the last the view covers (comment blocks aside) is
// then encrypted whole.
#pragma once

#include "base/text_diff.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quivra::crypto {

enum class CipherKind { Compatible, Strong };

struct ViewRegion {
    std::size_t start = 0; // in the view's text
    std::size_t end = 0;
    // What the note held there: goes back while the region's text is as
    // decrypted.
    std::u16string cipher;
    CipherKind kind = CipherKind::Compatible;
    // Whole lines of a whole-note decryption: text typed anywhere in those
    // lines, at their ends included, is theirs, and each line is encrypted
    // on its own, as the whole-note command does.
    bool wholeLines = false;
};

// The key of a view: cipher text for plain text, as the note keeps it (no
// 0, 10 or 13), or nothing when none can be kept.
class ViewCipher {
  public:
    virtual std::optional<std::u16string> encrypt(std::u16string_view plain, CipherKind kind) = 0;

  protected:
    ~ViewCipher() = default;
};

// What returning the cipher does to the editor's text now.
struct CipherReturn {
    // In the text the plan was made for, in increasing order, none
    // overlapping.
    std::vector<base::TextReplacement> replacements;
    // The text is the view's text: nothing was typed since the decryption.
    bool untouched = false;
    // The first and last line (from 0) encrypted whole because an edit
    // touched the edge of decrypted text.
    std::optional<std::pair<std::size_t, std::size_t>> guessedLines;
    // Regions whose new text no padding lets the editor keep: their cipher
    // went back as it was (a text made for that; the compatible cipher
    // keeps nearly every text with one trailing space).
    std::size_t refused = 0;
};

class DecryptedView {
  public:
    // A selection [start, end) of `text` is the decryption of `cipher`.
    static DecryptedView ofSelection(std::u16string text, std::size_t start, std::size_t end,
                                     std::u16string cipher, CipherKind kind);
    // `text` is `cipherText` with lines decrypted (whole-note decryption):
    // every line that differs is a region of its own (a token that gave
    // several lines, one region over them).
    static DecryptedView ofWholeNote(std::u16string_view cipherText, std::u16string text);

    // The view after a selection [start, end) of `before`, the editor's text
    // then, was encrypted anew into `cipherText`: `back`, the return planned
    // on `before` (planReturn, or that of every decryption of the view), put
    // in the new text, without the text now encrypted; what is left of a
    // region cut by it is encrypted with `cipher` for its return.
    static DecryptedView afterEncryption(std::u16string_view before,
                                         const std::vector<base::TextReplacement>& back,
                                         std::size_t start, std::size_t end,
                                         std::u16string_view cipherText, ViewCipher& cipher);

    const std::u16string& text() const noexcept { return text_; }
    const std::vector<ViewRegion>& regions() const noexcept { return regions_; }

    // The replacements that put cipher text in `current` (the editor's text
    // now) where the view's decrypted text is.
    CipherReturn planReturn(std::u16string_view current, ViewCipher& cipher) const;

  private:
    DecryptedView(std::u16string text, std::vector<ViewRegion> regions)
        : text_(std::move(text)), regions_(std::move(regions)) {}

    std::u16string text_;
    std::vector<ViewRegion> regions_;
};

// The message after a return that encrypted whole lines (`lines`: the first
// and last, from 0) because the user typed at the edge of decrypted text.
std::u16string wholeLinesNotice(std::pair<std::size_t, std::size_t> lines);

} // namespace quivra::crypto
