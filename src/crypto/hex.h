// Hexadecimal text of digests and its reading back as a number.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace quivra::crypto {

// Each byte as two lowercase hexadecimal digits, high nibble first.
std::u16string LowerHex(std::span<const std::uint8_t> bytes);

// Shows a message to the user (a message box in the program).
using ReportMessage = std::function<void(const std::u16string& message)>;

inline constexpr std::u16string_view kHexErrorPrefix = u"Не могу преобразовать HEX-значение: ";

// Reads up to 255 hexadecimal digits (either case) into 64 bits, so only the
// last 16 count; the result is those bits as a signed number. Each character
// that is no digit counts as 0 and reports kHexErrorPrefix + the upper-cased
// text, once per such character.
std::int64_t HexToInt64(std::u16string_view text, const ReportMessage& report);

} // namespace quivra::crypto
