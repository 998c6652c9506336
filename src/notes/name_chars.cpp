#include "notes/name_chars.h"

#include <string_view>

namespace quivra::notes {

bool isAcceptedNoteNameChar(char16_t c) {
    return std::u16string_view(u"*/:<>?\\|").find(c) == std::u16string_view::npos;
}

} // namespace quivra::notes
