// The order of the note list once a note has been added or renamed: the
// names sorted in the locale's order, letter case ignored. Until then the list
// keeps the order in which the file system lists the folder.
#pragma once

#include <string>
#include <vector>

namespace quivra::notes {

// Sorts ascending by textServices().compareIgnoreCase; names equal but for
// letter case keep their order.
void sortNoteNames(std::vector<std::u16string>& names);

// Keeps the first of names equal but for letter case: one file holds them
// all where the system ignores case, and the lists name each note once.
void dropCaseDuplicates(std::vector<std::u16string>& names);

} // namespace quivra::notes
