#include "program/command_table_win.h"

#include "base/key_names.h"

namespace quivra::program {

std::wstring keyText(Key key) {
    const std::u16string name = base::keyName({.ctrl = (key.mods & FCONTROL) != 0,
                                               .alt = (key.mods & FALT) != 0,
                                               .shift = (key.mods & FSHIFT) != 0},
                                              key.vk);
    return {name.begin(), name.end()};
}

std::wstring helpLine(Key key, const wchar_t* help) {
    const std::wstring text = keyText(key);
    // Two tabs line a short key up with the longer ones.
    return L"  " + text + (text.size() < 8 ? L"\t\t" : L"\t") + help + L"\r\n";
}

} // namespace quivra::program
