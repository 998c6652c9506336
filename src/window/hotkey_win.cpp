#include "window/hotkey_win.h"

namespace quivra::window {

bool Hotkey::registerKeys(settings::HotkeyKeys keys) {
    if (atom_ == 0)
        atom_ = GlobalAddAtomW(L"quivra_hotkey_sh");
    if (registered_)
        UnregisterHotKey(owner_, atom_);
    keys_ = keys;
    registered_ =
        atom_ != 0 && RegisterHotKey(owner_, atom_, keys.modifiers, keys.virtualKey) != FALSE;
    return registered_;
}

void Hotkey::unregister() {
    if (atom_ == 0)
        return;
    UnregisterHotKey(owner_, atom_);
    GlobalDeleteAtom(atom_);
    atom_ = 0;
    registered_ = false;
}

} // namespace quivra::window
