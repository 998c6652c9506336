#include "editor/font_filter.h"

#include "base/text_match.h"

namespace quivra::editor {

std::vector<std::u16string> filterFontNames(std::span<const std::u16string> fonts,
                                            std::u16string_view filter) {
    return base::namesContaining(fonts, filter);
}

std::optional<std::size_t> fontIndex(std::span<const std::u16string> fonts,
                                     std::u16string_view face) {
    if (face.empty())
        return std::nullopt;
    return base::indexIgnoringCase(fonts, face);
}

std::u16string_view faceNameForFormat(std::u16string_view face) {
    if (face.size() <= kMaxFaceNameLength)
        return face;
    // Never keep half of a surrogate pair.
    const char16_t last = face[kMaxFaceNameLength - 1];
    const bool highSurrogate = last >= 0xD800 && last <= 0xDBFF;
    return face.substr(0, highSurrogate ? kMaxFaceNameLength - 1 : kMaxFaceNameLength);
}

FontComboPlace fontComboPlace(int buttonX, int buttonY, bool simpleList, int itemHeight,
                              int mainWindowHeight) {
    // The list fills the window's height less 100 px, in whole entries.
    const int items = itemHeight > 0 ? (mainWindowHeight - 100) / itemHeight : 0;
    return {buttonX - 150, simpleList ? buttonY + 4 : buttonY - 15, 350, items};
}

} // namespace quivra::editor
