#include "notes/note_order.h"

#include "base/text_services.h"

#include <algorithm>
#include <unordered_set>

namespace quivra::notes {

void sortNoteNames(std::vector<std::u16string>& names) {
    const base::TextServices& text = base::textServices();
    std::stable_sort(names.begin(), names.end(), [&text](const auto& a, const auto& b) {
        return text.compareIgnoreCase(a, b) < 0;
    });
}

void dropCaseDuplicates(std::vector<std::u16string>& names) {
    const base::TextServices& text = base::textServices();
    std::unordered_set<std::u16string> seen;
    std::erase_if(
        names, [&](const std::u16string& name) { return !seen.insert(text.toLower(name)).second; });
}

} // namespace quivra::notes
