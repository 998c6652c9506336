// What a search does to the editor's selection: the search while typing and
// the find-next of Enter, which starts again at the top after the last hit.
#pragma once

#include "search/note_text.h"

#include <string_view>

namespace quivra::search {

// The search box shows this while it does not have the focus, and the
// second while it searches all notes.
inline constexpr std::u16string_view kSearchPlaceholder = u"Поиск";
inline constexpr std::u16string_view kAllNotesPlaceholder = u"Поиск во всех заметках";

// False for an empty box and for a placeholder: the search while typing then
// only collapses the editor's selection and leaves the result view alone.
bool isSearchText(std::u16string_view boxText);

enum class SelectionChange {
    Keep,     // the selection stays as it is
    Collapse, // length 0, the caret stays at the selection's start
    Set,      // the selection becomes `selection`
};

struct SearchStep {
    SelectionChange change = SelectionChange::Keep;
    Selection selection;
    long findNextStart = 0; // where the next search begins
};

// The search while typing, from the top of the note: the first hit is
// selected, and the next search would begin one character beyond it. No hit
// collapses the selection.
SearchStep searchWhileTyping(const NoteText& note, std::u16string_view text);

// Enter: searches from one character beyond the current selection (from the
// top when nothing is selected). Past the last hit it goes back to the top
// once: the caret is put at the start of the note and the search runs again;
// finding nothing there leaves the caret at the start. Finding nothing from
// the top leaves the selection as it was. So a hit right after the previous
// one ("abab", searching "ab") is passed over.
SearchStep findNext(const NoteText& note, std::u16string_view text, Selection current);

} // namespace quivra::search
