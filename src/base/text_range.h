// A stretch of a text: where it starts and how many code units it holds.
#pragma once

#include <cstddef>

namespace quivra::base {

struct TextRange {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextRange&) const = default;
};

} // namespace quivra::base
