#include "window/hotkey_win.h"

namespace quivra::window {

bool Hotkey::registerKeys(settings::HotkeyKeys keys) {
    if (HotkeyAtom == 0)
        HotkeyAtom = GlobalAddAtomW(L"quivra_hotkey_sh");
    if (registered_)
        UnregisterHotKey(owner_, HotkeyAtom);
    keys_ = keys;
    registered_ = HotkeyAtom != 0 &&
                  RegisterHotKey(owner_, HotkeyAtom, keys.modifiers, keys.virtualKey) != FALSE;
    return registered_;
}

void Hotkey::unregister() {
    if (HotkeyAtom == 0)
        return;
    UnregisterHotKey(owner_, HotkeyAtom);
    GlobalDeleteAtom(HotkeyAtom);
    HotkeyAtom = 0;
    registered_ = false;
}

} // namespace quivra::window
