#include "base/text_match.h"

#include "base/text_services.h"

namespace quivra::base {

CaseInsensitiveNeedle::CaseInsensitiveNeedle(std::u16string_view text)
    : lower_(textServices().toLower(text)) {}

bool CaseInsensitiveNeedle::occursIn(std::u16string_view text) const {
    return !lower_.empty() && textServices().toLower(text).find(lower_) != std::u16string::npos;
}

std::vector<std::u16string> namesContaining(std::span<const std::u16string> names,
                                            std::u16string_view text) {
    const CaseInsensitiveNeedle needle(text);
    std::vector<std::u16string> found;
    if (needle.empty())
        return found;
    for (const auto& name : names)
        if (needle.occursIn(name))
            found.push_back(name);
    return found;
}

std::optional<std::size_t> indexIgnoringCase(std::span<const std::u16string> names,
                                             std::u16string_view name) {
    const std::u16string lower = textServices().toLower(name);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].size() == name.size() && textServices().toLower(names[i]) == lower)
            return i;
    return std::nullopt;
}

} // namespace quivra::base
