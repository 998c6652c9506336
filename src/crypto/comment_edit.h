// The comment commands' rules over the selected text: wrapping a selection in
// the markers, unwrapping it, and when the menu offers each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quivra::crypto {

struct CommentWrap {
    std::u16string text;     // replaces the selection
    std::size_t caretOffset; // caret after the replacement, from the selection start
};

// "##[" + selected + "]##", the caret just before the closing marker (between
// the two markers when nothing was selected).
CommentWrap wrapInComment(std::u16string_view selected);

// The selection without its first three and last three characters, whatever
// they are; the caller selects it again. A selection shorter than six
// characters unwraps to nothing.
std::u16string unwrapComment(std::u16string_view selected);

// The menu's tests on the selection's first and last three characters (the
// whole selection when it is shorter than three).
bool canComment(std::u16string_view selected);
bool canUncomment(std::u16string_view selected);

} // namespace quivra::crypto
