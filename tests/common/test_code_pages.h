// Code pages for tests of the RTF writers and readers without the platform:
// Windows-1251 through the portable text services, the Latin-1 half of
// Windows-1252 and UTF-8; other code pages hold nothing.
#pragma once

#include "base/text_services.h"
#include "base/utf.h"
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
    std::u16string decode(unsigned codePage, std::string_view bytes) const override {
        if (codePage == 1251)
            return quivra::base::portableTextServices().ansiToUtf16(bytes);
        if (codePage == 65001)
            return quivra::base::utf8ToUtf16(bytes);
        if (codePage != 1252)
            return {};
        std::u16string text;
        for (char b : bytes) {
            const auto byte = static_cast<unsigned char>(b);
            text.push_back(byte < 0x80 || byte >= 0xA0 ? byte : u'\uFFFD');
        }
        return text;
    }
    mutable int asked = 0;
};

} // namespace quivra::document::testing
