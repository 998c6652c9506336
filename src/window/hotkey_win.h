// The global hotkey Win+N, identified by the global atom "quivra_hotkey_sh".
#pragma once

#include <windows.h>

#include <cstdint>

namespace quivra::window {

class Hotkey {
  public:
    explicit Hotkey(HWND owner) : owner_(owner) {}
    ~Hotkey() { unregister(); }
    Hotkey(const Hotkey&) = delete;
    Hotkey& operator=(const Hotkey&) = delete;

    // Adds the atom and registers Win+N for the owner; a refusal by the
    // system (another program owns the keys) is not reported: the hotkey
    // then does nothing. Registering twice keeps the first registration.
    void registerKeys();
    // Unregisters and deletes the atom; errors are ignored.
    void unregister();

    std::uint16_t atom() const noexcept { return atom_; }
    bool registered() const noexcept { return registered_; }

  private:
    HWND owner_;
    std::uint16_t atom_ = 0;
    bool registered_ = false;
};

} // namespace quivra::window
