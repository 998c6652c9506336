// The characters a typed name may not hold: a note name in the name panel or
// the quick-add field, a folder name on the settings page.
#pragma once

namespace quivra::base {

// False for * / : < > ? \ | (the double quote is accepted): such a key is
// swallowed. A pasted name is taken as it is.
bool isAcceptedNameChar(char16_t c);

} // namespace quivra::base
