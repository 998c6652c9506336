#include "notes/note_order.h"

#include "base/text_services.h"

#include <algorithm>

namespace quivra::notes {

void sortNoteNames(std::vector<std::u16string>& names) {
    const base::TextServices& text = base::textServices();
    std::stable_sort(names.begin(), names.end(), [&text](const auto& a, const auto& b) {
        return text.compareIgnoreCase(a, b) < 0;
    });
}

} // namespace quivra::notes
