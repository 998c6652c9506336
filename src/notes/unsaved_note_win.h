// What the user is asked when the text of a note could be written neither to
// the note's file nor to a recovery copy: nothing typed may vanish without the
// user's word.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quivra::notes {

enum class UnsavedChoice {
    SaveElsewhere, // the user wants the text in a file of their choice
    Discard,       // the user gives the changes up
    Stay,          // back to the note: whatever was about to happen does not
};

// Asked before the note is left (switch, quit, restart): all three choices.
UnsavedChoice askBeforeLeavingUnsavedNote(HWND owner, std::u16string_view noteName,
                                          std::u16string_view reason);

// Told when a save in passing failed (focus loss, hiding): the text stays in
// the editor; the answer is SaveElsewhere or Stay.
UnsavedChoice tellAboutUnsavedNote(HWND owner, std::u16string_view noteName,
                                   std::u16string_view reason);

// Lets the user choose a file and writes the note's RTF there atomically.
// False when the user cancels or the file cannot be written (then the user has
// been told why).
bool saveNoteElsewhere(HWND owner, std::u16string_view noteName, std::string_view rtf);

} // namespace quivra::notes
