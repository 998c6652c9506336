// Turns a password into a KeySet. Deterministic, unsalted and exact to the
// bit: notes encrypted by earlier versions of the program must decrypt.
#pragma once

#include "base/text_services.h"
#include "crypto/key_set.h"

#include <cstdint>
#include <string_view>

namespace quivra::crypto {

// acc starts at 0; code unit i (from 1) multiplies acc when i is odd and is
// added when i is even, modulo 2^64. So the first code unit never counts.
std::int64_t AlternatingFold(std::u16string_view text);

// The password's digests are taken over its bytes in the system's ANSI code
// page (text.utf16ToAnsi, with the code page's default replacement); its
// length and K2 use its UTF-16 code units. The password must not be empty
// (std::invalid_argument); the password panel demands 4 code units. The
// caller clears its own copies of the password.
KeySet DeriveKeySet(std::u16string_view password, const base::TextServices& text);

} // namespace quivra::crypto
