#include "base/key_names.h"

namespace quivra::base {

namespace {

// The virtual-key codes named here, as the platform numbers them.
constexpr unsigned kVkDelete = 0x2E, kVkUp = 0x26, kVkDown = 0x28;
constexpr unsigned kVkF1 = 0x70, kVkF24 = 0x87;

void appendNumber(std::u16string& text, unsigned n) {
    const std::string digits = std::to_string(n);
    text.append(digits.begin(), digits.end());
}

} // namespace

std::u16string keyName(KeyModifiers modifiers, unsigned vk) {
    std::u16string name;
    if (modifiers.ctrl)
        name += u"Ctrl+";
    if (modifiers.alt)
        name += u"Alt+";
    if (modifiers.shift)
        name += u"Shift+";
    if (modifiers.win)
        name += u"Win+";
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
        name += static_cast<char16_t>(vk);
    } else if (vk >= kVkF1 && vk <= kVkF24) {
        name += u'F';
        appendNumber(name, vk - kVkF1 + 1);
    } else if (vk == kVkUp) {
        name += u"Up";
    } else if (vk == kVkDown) {
        name += u"Down";
    } else if (vk == kVkDelete) {
        name += u"Del";
    } else {
        name += u'#';
        appendNumber(name, vk);
    }
    return name;
}

} // namespace quivra::base
