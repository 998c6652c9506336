// The program's text cipher. Each pass XORs every UTF-16 code unit with the
// low 16 bits of a mask chosen by its position (from 1):
//   even                                  P
//   odd, divisible by 3                   P - Q div 2
//   odd, not by 3, divisible by 5         Q - P div 2
//   any other                             Q
// A text is encrypted by 200 + 2n passes whose parameters come from the key
// set and the text length n. The cipher text has the input's length and no
// marker; any code unit may appear in it (0, 10, 13, lone surrogates).
#pragma once

#include "crypto/key_set.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quivra::crypto {

std::u16string CipherPass(std::u16string_view text, std::int64_t Q, std::int64_t P);

// Every pass is an XOR that does not depend on the text, so the passes
// commute: decryption equals encryption, and either one applied twice gives
// the input back. Both cost time linear in the length of the text.
std::u16string EncryptText(std::u16string_view text, const KeySet& keys);
std::u16string DecryptText(std::u16string_view cipherText, const KeySet& keys);

} // namespace quivra::crypto
