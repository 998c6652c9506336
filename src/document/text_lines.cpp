#include "document/text_lines.h"

namespace quivra::document {

std::vector<std::u16string> splitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(u'\r', start);
        if (end == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace quivra::document
