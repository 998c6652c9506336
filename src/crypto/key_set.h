// The five numbers a password turns into; they parameterise the text cipher.
// A key set lives only while one encrypt or decrypt command runs and is
// wiped when it goes.
#pragma once

#include "crypto/secure_wipe.h"

#include <cstdint>

namespace quivra::crypto {

struct KeySet {
    std::int64_t K1 = 0;
    std::int64_t K2 = 0;
    std::int64_t K3 = 0;
    std::int64_t K4 = 0;
    std::int64_t K5 = 0;

    ~KeySet() { secureWipe(this, sizeof(*this)); }
    bool operator==(const KeySet&) const = default;
};

} // namespace quivra::crypto
