// The characters a note name may not be typed with, in the name panel and in
// the quick-add field.
#pragma once

namespace quivra::notes {

// False for * / : < > ? \ | (the double quote is accepted): such a key is
// swallowed. A pasted name is taken as it is.
bool isAcceptedNoteNameChar(char16_t c);

} // namespace quivra::notes
