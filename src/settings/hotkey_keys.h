// The key combination of the global hotkey. Win+N unless the user chose
// another one on the settings page; the choice is stored as the word the
// platform's hotkey field gives (virtual key in the low byte, its modifier
// flags in the high byte).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quivra::settings {

struct HotkeyKeys {
    unsigned modifiers = 0; // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8
    unsigned virtualKey = 0;
    friend bool operator==(const HotkeyKeys&, const HotkeyKeys&) = default;
};

inline constexpr HotkeyKeys kWinN{8, 78};

// The combination of a stored field word; nothing for a word without a key
// or without a modifier (a bare key would take the key from every program).
std::optional<HotkeyKeys> hotkeyFromFieldWord(long word);

// The field word of a combination (Win cannot be shown by the field: none).
std::optional<long> fieldWordFromHotkey(HotkeyKeys keys);

// "Ctrl+Alt+N", "Win+N": for the message that the combination is taken.
std::u16string hotkeyName(HotkeyKeys keys);

} // namespace quivra::settings
