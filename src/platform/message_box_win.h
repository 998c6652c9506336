// Every message box of the program goes through here, so the in-process
// tests can answer boxes instead of blocking on them.
#pragma once

#include <windows.h>

#include <functional>

namespace quivra::win {

using MessageBoxHook =
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)>;

int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);

// Replaces the real box; an empty hook restores it.
void setMessageBoxHook(MessageBoxHook hook);

// True while one of the program's boxes waits for the user.
bool messageBoxShowing();

} // namespace quivra::win
