#include "base/name_chars.h"

#include <string_view>

namespace quivra::base {

bool isAcceptedNameChar(char16_t c) {
    return std::u16string_view(u"*/:<>?\\|").find(c) == std::u16string_view::npos;
}

} // namespace quivra::base
