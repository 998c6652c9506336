#include "settings/hotkey_keys.h"

#include "base/key_names.h"

namespace quivra::settings {

namespace {

// Modifier flags of the hotkey field (HOTKEYF_*) and of the registration (MOD_*).
constexpr unsigned kFieldShift = 1, kFieldControl = 2, kFieldAlt = 4;
constexpr unsigned kModAlt = 1, kModControl = 2, kModShift = 4, kModWin = 8;

} // namespace

std::optional<HotkeyKeys> hotkeyFromFieldWord(long word) {
    if (word <= 0 || word > 0xFFFF)
        return std::nullopt;
    const unsigned key = static_cast<unsigned>(word) & 0xFF;
    const unsigned field = (static_cast<unsigned>(word) >> 8) & 0xFF;
    HotkeyKeys keys{0, key};
    if (field & kFieldShift)
        keys.modifiers |= kModShift;
    if (field & kFieldControl)
        keys.modifiers |= kModControl;
    if (field & kFieldAlt)
        keys.modifiers |= kModAlt;
    if (key == 0 || keys.modifiers == 0)
        return std::nullopt;
    return keys;
}

std::optional<long> fieldWordFromHotkey(HotkeyKeys keys) {
    if (keys.modifiers & kModWin)
        return std::nullopt;
    unsigned field = 0;
    if (keys.modifiers & kModShift)
        field |= kFieldShift;
    if (keys.modifiers & kModControl)
        field |= kFieldControl;
    if (keys.modifiers & kModAlt)
        field |= kFieldAlt;
    return static_cast<long>((field << 8) | (keys.virtualKey & 0xFF));
}

std::u16string hotkeyName(HotkeyKeys keys) {
    const unsigned m = keys.modifiers;
    return base::keyName({.ctrl = (m & kModControl) != 0,
                          .alt = (m & kModAlt) != 0,
                          .shift = (m & kModShift) != 0,
                          .win = (m & kModWin) != 0},
                         keys.virtualKey);
}

} // namespace quivra::settings
