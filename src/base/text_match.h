// Case-insensitive matching of names and texts, through the locale's lower
// case (textServices().toLower): the filters that list the names containing a
// typed text, and the look-up of a name ignoring case.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::base {

// A text to look for, lower-cased once and then tested against many others.
// An empty text occurs nowhere.
class CaseInsensitiveNeedle {
  public:
    explicit CaseInsensitiveNeedle(std::u16string_view text);
    bool empty() const noexcept { return lower_.empty(); }
    const std::u16string& lower() const noexcept { return lower_; }
    bool occursIn(std::u16string_view text) const;

  private:
    std::u16string lower_;
};

// The names that contain the text ignoring case, in their order. An empty
// text gives none.
std::vector<std::u16string> namesContaining(std::span<const std::u16string> names,
                                            std::u16string_view text);

// The index of the first name equal to `name` ignoring case.
std::optional<std::size_t> indexIgnoringCase(std::span<const std::u16string> names,
                                             std::u16string_view name);

} // namespace quivra::base
