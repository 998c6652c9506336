// Text services the core needs from the platform: the system's 8-bit (ANSI)
// code page and locale-aware lower case. The Win32 side answers with the
// Windows API; native builds and tests use the portable versions here.
#pragma once

#include <string>
#include <string_view>

namespace quivra::base {

class TextServices {
  public:
    virtual ~TextServices() = default;
    virtual std::u16string ansiToUtf16(std::string_view bytes) const = 0;
    // Characters the code page lacks become its default character ('?').
    virtual std::string utf16ToAnsi(std::u16string_view text) const = 0;
    virtual std::u16string toLower(std::u16string_view text) const = 0;
    // Negative, zero or positive as `a` sorts before, with or after `b`,
    // letter case ignored, in the locale's order. Here: the lower-case code
    // units compared one by one.
    virtual int compareIgnoreCase(std::u16string_view a, std::u16string_view b) const;
};

// Windows-1251 and a case mapping of the Latin, Greek and Cyrillic letters.
const TextServices& portableTextServices();

// The services in force: the portable ones until the platform installs its own.
const TextServices& textServices();
void setTextServices(const TextServices* services);

// Case-insensitive equality through textServices().toLower.
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

} // namespace quivra::base
