// A key as the user reads it: "Ctrl+Shift+F", "Alt+C", "F5", "Win+N". The
// menus' captions, the help page and the hotkey field's messages name keys
// alike.
#pragma once

#include <string>

namespace quivra::base {

struct KeyModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool win = false;
};

// vk is a Windows virtual-key code; a key without a name reads "#" and its
// code.
std::u16string keyName(KeyModifiers modifiers, unsigned vk);

} // namespace quivra::base
