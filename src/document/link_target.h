// What a link in a note names. A note may come from elsewhere (a synced
// folder), so a link that is no web page or mail address (a file, a
// program, a shell command) opens only after the user agrees.
#pragma once

#include <string_view>

namespace quivra::document {

// True for a link that starts with "http:", "https:" or "mailto:" (letter
// case ignored).
bool opensWithoutAsking(std::u16string_view link);

} // namespace quivra::document
