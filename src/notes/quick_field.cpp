#include "notes/quick_field.h"

#include "base/text_match.h"
#include "notes/note_names.h"

#include <algorithm>

namespace quivra::notes {

std::vector<std::u16string> quickListNames(std::span<const std::u16string> notesNames,
                                           std::u16string_view fieldText) {
    return base::namesContaining(notesNames, fieldText);
}

QuickAddStep quickAddOnEnter(std::u16string_view fieldText, bool quickSearchShowing,
                             std::span<const std::u16string> quickList) {
    if (fieldText.empty() || fieldText.front() == u' ' || !isNoteNameForAFile(fieldText))
        return {QuickAddAction::SelectFieldText, 0};
    if (quickSearchShowing &&
        std::find(quickList.begin(), quickList.end(), fieldText) != quickList.end())
        return {QuickAddAction::PickListed, *base::indexIgnoringCase(quickList, fieldText)};
    return {QuickAddAction::AddNote, 0};
}

} // namespace quivra::notes
