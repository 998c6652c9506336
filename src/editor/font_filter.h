// The font panel's rules over font names: the filter typed under the list, the
// entry that matches the selection's face, the face name as the editor takes
// it, and the place of the drop-down font combo.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::editor {

// The fonts whose name contains the filter text, ignoring case, in the list's
// order. An empty filter matches nothing (the filtered list is shown empty).
std::vector<std::u16string> filterFontNames(std::span<const std::u16string> fonts,
                                            std::u16string_view filter);

// The entry equal to the face ignoring case; none for a face that is not
// installed (or empty).
std::optional<std::size_t> fontIndex(std::span<const std::u16string> fonts,
                                     std::u16string_view face);

// The longest face name the character format holds, in UTF-16 code units.
inline constexpr std::size_t kMaxFaceNameLength = 31;

// The face name cut to kMaxFaceNameLength (one less where the cut would split
// a surrogate pair).
std::u16string_view faceNameForFormat(std::u16string_view face);

// Where the font combo drops down, relative to the format bar, from the font
// button's place. Its entries are kOwnerDrawnFontItemHeight high unless the
// plain list is chosen.
inline constexpr int kOwnerDrawnFontItemHeight = 35;

struct FontComboPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int visibleItems = 0; // entries shown at once
    friend bool operator==(const FontComboPlace&, const FontComboPlace&) = default;
};

FontComboPlace fontComboPlace(int buttonX, int buttonY, bool simpleList, int itemHeight,
                              int mainWindowHeight);

} // namespace quivra::editor
