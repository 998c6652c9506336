// The field under the note list: while the user types, the notes whose names
// contain the typed text are listed in a small panel just above the field
// (QuickList); Enter either picks the typed name from that list or adds a note
// of that name on the spot.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::notes {

// The results panel.
inline constexpr int kQuickSearchWidth = 241;
inline constexpr int kQuickSearchHeight = 192;
// Between the panel's bottom and the field's top: the panel sits just above
// the field, its left the field's left.
inline constexpr int kQuickSearchGap = 5;

// QuickList: the names containing the field's text ignoring case, in the order
// of the master list. An empty text lists nothing; the panel is hidden when
// nothing is listed.
std::vector<std::u16string> quickListNames(std::span<const std::u16string> notesNames,
                                           std::u16string_view fieldText);

enum class QuickAddAction {
    SelectFieldText, // nothing to add: select the field's text
    PickListed,      // select entry `listIndex` of QuickList and focus it
    AddNote,         // add a note named as typed, then focus the editor
};

struct QuickAddStep {
    QuickAddAction action = QuickAddAction::SelectFieldText;
    std::size_t listIndex = 0;
};

// Enter in the field. A text that is empty or starts with a space adds
// nothing, nor does a name the system keeps for a device (CON, COM1, ...). A text the showing panel
// lists exactly (letter case respected) is picked there: the first entry equal to it ignoring case.
// Any other text is added, even one equal to a listed name but for letter case: that gives a second
// entry.
QuickAddStep quickAddOnEnter(std::u16string_view fieldText, bool quickSearchShowing,
                             std::span<const std::u16string> quickList);

} // namespace quivra::notes
