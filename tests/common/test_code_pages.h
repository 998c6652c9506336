// Code pages for tests of the RTF writers without the platform: Windows-1251
// through the portable text services and the Latin-1 half of Windows-1252;
// no other code page holds anything.
#pragma once

#include "base/text_services.h"
#include "document/rtf_output.h"

#include <optional>
#include <string>

namespace quivra::document::testing {

class TestCodePages : public CodePages {
  public:
    std::optional<std::string> encode(unsigned codePage, char32_t c) const override {
        ++asked;
        if (c > 0xFFFF)
            return std::nullopt;
        const std::u16string unit(1, static_cast<char16_t>(c));
        if (codePage == 1251) {
            const std::string bytes = quivra::base::portableTextServices().utf16ToAnsi(unit);
            if (quivra::base::portableTextServices().ansiToUtf16(bytes) == unit)
                return bytes;
        } else if (codePage == 1252 && c >= 0xA0 && c <= 0xFF) {
            return std::string(1, static_cast<char>(c));
        }
        return std::nullopt;
    }
    mutable int asked = 0;
};

} // namespace quivra::document::testing
