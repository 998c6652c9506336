#include "document/link_target.h"

#include <array>

namespace quivra::document {

bool opensWithoutAsking(std::u16string_view link) {
    constexpr std::array<std::u16string_view, 3> kSchemes{u"http:", u"https:", u"mailto:"};
    for (std::u16string_view scheme : kSchemes) {
        if (link.size() < scheme.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < scheme.size() && same; ++i) {
            const char16_t c = link[i];
            same = (c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c) == scheme[i];
        }
        if (same)
            return true;
    }
    return false;
}

} // namespace quivra::document
