#include "editor/list_styles.h"

namespace quivra::editor {

std::optional<ListNumbering> chooseListItem(ListNumbering& remembered, const ListMenuItem& item) {
    switch (item.kind) {
    case ListItemKind::Type:
        remembered.type = item.value;
        break;
    case ListItemKind::Style:
        remembered.style = item.value;
        break;
    case ListItemKind::Restart:
        return ListNumbering{remembered.type, kStyleNewNumber};
    case ListItemKind::Separator:
        return std::nullopt;
    }
    return ListNumbering{remembered.type, remembered.style};
}

const ListMenuItem& tickedStyleItem(const ListNumbering& remembered) {
    const ListMenuItem* fallback = nullptr;
    for (const auto& item : kListMenuItems) {
        if (item.kind != ListItemKind::Style)
            continue;
        if (item.value == remembered.style)
            return item;
        if (item.value == kStyleParen)
            fallback = &item;
    }
    return *fallback;
}

} // namespace quivra::editor
