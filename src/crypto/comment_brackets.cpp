#include "crypto/comment_brackets.h"

#include <algorithm>

namespace quivra::crypto {

namespace {

bool markerAt(std::u16string_view text, std::size_t p, std::u16string_view marker) {
    return text.compare(p, marker.size(), marker) == 0;
}

} // namespace

bool containsCommentMarker(std::u16string_view text) {
    return text.find(kCommentOpen) != std::u16string_view::npos ||
           text.find(kCommentClose) != std::u16string_view::npos;
}

std::optional<std::size_t> FindBlockStart(std::u16string_view noteText, std::size_t caret) {
    if (caret == 0 || noteText.size() < kCommentOpen.size())
        return std::nullopt;
    // A marker needs three characters, so none starts in the last two.
    std::size_t p = std::min(caret - 1, noteText.size() - kCommentOpen.size()) + 1;
    while (p-- > 0) {
        if (markerAt(noteText, p, kCommentClose))
            return std::nullopt;
        if (markerAt(noteText, p, kCommentOpen))
            return p;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindBlockEnd(std::u16string_view noteText, std::size_t caret) {
    if (caret >= noteText.size() || noteText.size() < kCommentClose.size())
        return std::nullopt;
    const std::size_t last = noteText.size() - kCommentClose.size();
    for (std::size_t p = caret == 0 ? 0 : caret - 1; p <= last; ++p) {
        if (markerAt(noteText, p, kCommentOpen))
            return std::nullopt;
        if (markerAt(noteText, p, kCommentClose))
            return p;
    }
    return std::nullopt;
}

std::optional<CommentBlock> findCommentBlock(std::u16string_view noteText, std::size_t caret) {
    const auto open = FindBlockStart(noteText, caret);
    if (!open)
        return std::nullopt;
    const auto close = FindBlockEnd(noteText, caret);
    if (!close)
        return std::nullopt;
    return CommentBlock{*open, *close};
}

} // namespace quivra::crypto
