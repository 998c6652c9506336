// The name panel of the add and rename commands: what it shows for each task
// and when its confirm button may be pressed.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quivra::notes {

enum class NameTask { Add = 0, Rename = 1 };

struct NameTaskTexts {
    std::u16string_view prompt;  // lblEditHint
    std::u16string_view confirm; // NL_Dynamic's caption
};

NameTaskTexts nameTaskTexts(NameTask task);

// The confirm button is enabled for a typed or pasted name that can name a
// file of its own in the notes folder (isNoteNameForAFile) and equals no
// listed name ignoring case. A rename also refuses a name whose note file exists though the list
// does not hold it (another program made it after the list was read): moving
// the note there would fail, and the next save would overwrite that file.
// An add of such a name is allowed: it lists the file and opens it.
bool nameConfirmable(NameTask task, std::u16string_view typed,
                     std::span<const std::u16string> listed, bool noteFileExists);

} // namespace quivra::notes
