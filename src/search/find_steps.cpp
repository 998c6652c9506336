#include "search/find_steps.h"

namespace quivra::search {

namespace {

SearchStep hitAt(long position, std::u16string_view text, long findNextStart) {
    return {SelectionChange::Set, {position, static_cast<long>(text.size())}, findNextStart};
}

} // namespace

bool isSearchText(std::u16string_view boxText) {
    return !boxText.empty() && boxText != kSearchPlaceholder && boxText != kAllNotesPlaceholder;
}

SearchStep searchWhileTyping(const NoteText& note, std::u16string_view text) {
    const auto hit = note.find(text, 0);
    if (!hit)
        return {SelectionChange::Collapse, {}, 0};
    return hitAt(*hit, text, *hit + static_cast<long>(text.size()) + 1);
}

SearchStep findNext(const NoteText& note, std::u16string_view text, Selection current) {
    const long start = current.length == 0 ? 0 : current.start + current.length + 1;
    if (const auto hit = note.find(text, start))
        return hitAt(*hit, text, start);
    if (start == 0)
        return {SelectionChange::Keep, current, 0};
    if (const auto hit = note.find(text, 0))
        return hitAt(*hit, text, 0);
    return {SelectionChange::Set, {0, 0}, 0};
}

} // namespace quivra::search
