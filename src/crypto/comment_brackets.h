// Comment blocks: note text from an opening "##[" to the next closing "]##".
// Blocks do not nest. The look-ups work over the note's whole text as the
// editor holds it (a paragraph break is one character, '\r'), read once, so
// positions are the editor's character positions; a marker broken by a line
// break never matches.
#pragma once

#include "base/text_range.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace quivra::crypto {

inline constexpr std::u16string_view kCommentOpen = u"##[";
inline constexpr std::u16string_view kCommentClose = u"]##";

// The encryption commands refuse a selection that holds either marker.
bool containsCommentMarker(std::u16string_view text);

// Scanning left from the character just before the caret: the position of
// the first "##[" met, or none if a "]##" comes first or the caret is at 0.
std::optional<std::size_t> FindBlockStart(std::u16string_view noteText, std::size_t caret);

// Scanning right from the character just before the caret (from 0 when the
// caret is at 0): the position of the first "]##" met, or none if a "##["
// comes first or the caret is at or past the end.
std::optional<std::size_t> FindBlockEnd(std::u16string_view noteText, std::size_t caret);

using base::TextRange;

// A block around the caret: both look-ups found a marker. The caret is inside
// the block from open + 2 to close.
struct CommentBlock {
    std::size_t open = 0;  // position of "##["
    std::size_t close = 0; // position of "]##"

    TextRange withMarkers() const { return {open, close - open + kCommentClose.size()}; }
    TextRange textOnly() const {
        return {open + kCommentOpen.size(), close - open - kCommentOpen.size()};
    }
};

std::optional<CommentBlock> findCommentBlock(std::u16string_view noteText, std::size_t caret);

} // namespace quivra::crypto
