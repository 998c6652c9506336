#include "program/command_table_win.h"

namespace quivra::program {

namespace {

std::wstring keyName(WORD vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return std::wstring(1, static_cast<wchar_t>(vk));
    if (vk >= VK_F1 && vk <= VK_F24)
        return L"F" + std::to_wstring(vk - VK_F1 + 1);
    switch (vk) {
    case VK_UP:
        return L"Up";
    case VK_DOWN:
        return L"Down";
    case VK_DELETE:
        return L"Del";
    default:
        return L"?";
    }
}

} // namespace

std::wstring keyText(Key key) {
    std::wstring text;
    if (key.mods & FCONTROL)
        text += L"Ctrl+";
    if (key.mods & FSHIFT)
        text += L"Shift+";
    if (key.mods & FALT)
        text += L"Alt+";
    return text + keyName(key.vk);
}

std::wstring helpLine(Key key, const wchar_t* help) {
    const std::wstring text = keyText(key);
    // Two tabs line a short key up with the longer ones.
    return L"  " + text + (text.size() < 8 ? L"\t\t" : L"\t") + help + L"\r\n";
}

} // namespace quivra::program
