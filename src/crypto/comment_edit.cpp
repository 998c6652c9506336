#include "crypto/comment_edit.h"

#include "crypto/comment_brackets.h"

namespace quivra::crypto {

namespace {

std::u16string_view firstThree(std::u16string_view t) {
    return t.substr(0, 3);
}

std::u16string_view lastThree(std::u16string_view t) {
    return t.size() <= 3 ? t : t.substr(t.size() - 3);
}

} // namespace

CommentWrap wrapInComment(std::u16string_view selected) {
    std::u16string text;
    text.reserve(selected.size() + kCommentOpen.size() + kCommentClose.size());
    text.append(kCommentOpen).append(selected).append(kCommentClose);
    const std::size_t caret = text.size() - kCommentClose.size();
    return {std::move(text), caret};
}

std::u16string unwrapComment(std::u16string_view selected) {
    const std::size_t markers = kCommentOpen.size() + kCommentClose.size();
    if (selected.size() < markers)
        return {};
    return std::u16string(selected.substr(kCommentOpen.size(), selected.size() - markers));
}

bool canComment(std::u16string_view selected) {
    return firstThree(selected) != kCommentOpen && lastThree(selected) != kCommentClose;
}

bool canUncomment(std::u16string_view selected) {
    return firstThree(selected) == kCommentOpen && lastThree(selected) == kCommentClose;
}

} // namespace quivra::crypto
