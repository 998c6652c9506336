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

// True while one of the program's modal boxes or dialogs waits for the user
// (the window must not hide behind its own dialog).
bool messageBoxShowing();

// Marks a modal dialog of the program as open for as long as it lives.
class ModalScope {
  public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

} // namespace quivra::win
