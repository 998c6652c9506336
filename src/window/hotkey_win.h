// The global hotkey, Win+N unless the user chose another combination,
// identified by the global atom "quivra_hotkey_sh".
#pragma once

#include "settings/hotkey_keys.h"

#include <windows.h>

#include <cstdint>

namespace quivra::window {

class Hotkey {
  public:
    explicit Hotkey(HWND owner) : owner_(owner) {}
    ~Hotkey() { unregister(); }
    Hotkey(const Hotkey&) = delete;
    Hotkey& operator=(const Hotkey&) = delete;

    // Adds the atom and registers the combination for the owner, replacing
    // an earlier registration of this object. The system refuses a
    // combination another program (or the system itself, as Windows 11 does
    // with Win+N) owns: registered() then tells so and the atom stays, so
    // that a later combination reuses it.
    bool registerKeys(settings::HotkeyKeys keys = settings::kWinN);
    // Unregisters and deletes the atom; errors are ignored.
    void unregister();

    std::uint16_t atom() const noexcept { return HotkeyAtom; }
    bool registered() const noexcept { return registered_; }
    settings::HotkeyKeys keys() const noexcept { return keys_; }

  private:
    HWND owner_;
    std::uint16_t HotkeyAtom = 0;
    bool registered_ = false;
    settings::HotkeyKeys keys_ = settings::kWinN;
};

} // namespace quivra::window
