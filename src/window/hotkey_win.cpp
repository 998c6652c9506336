#include "window/hotkey_win.h"

namespace quivra::window {

namespace {
constexpr UINT kModWin = 8; // MOD_WIN
constexpr UINT kKeyN = 78;  // 'N'
} // namespace

void Hotkey::registerKeys() {
    if (atom_ != 0)
        return;
    atom_ = GlobalAddAtomW(L"quivra_hotkey_sh");
    registered_ = atom_ != 0 && RegisterHotKey(owner_, atom_, kModWin, kKeyN) != FALSE;
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
