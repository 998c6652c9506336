#include "document/load_size.h"

#include <algorithm>

namespace quivra::document {

bool isBigNote(std::size_t bytes, std::size_t paragraphs) noexcept {
    return bytes >= kBigNoteBytes || paragraphs >= kBigNoteParagraphs;
}

std::size_t paragraphBreaks(std::u16string_view text) noexcept {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            ++n;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            ++n;
        }
    }
    return n;
}

std::size_t longestParagraph(std::u16string_view text) noexcept {
    std::size_t longest = 0, length = 0;
    for (char16_t c : text) {
        if (c == u'\r' || c == u'\n')
            length = 0;
        else
            longest = std::max(longest, ++length);
    }
    return longest;
}

LoadMeasure measurePlainText(std::u16string_view text) noexcept {
    return {text.size() * sizeof(char16_t), paragraphBreaks(text), longestParagraph(text)};
}

} // namespace quivra::document
