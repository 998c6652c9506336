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

} // namespace quivra::notes
