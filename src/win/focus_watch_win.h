// Floating panels close when the keyboard focus leaves them. This watches
// every control inside a panel and reports when the focus moves to a window
// outside it.
#pragma once

#include <windows.h>

#include <functional>

namespace quivra::win {

// Subclasses the descendants `panel` has now; `onLeave` runs when one of them
// loses the focus to a window that is not inside `panel`, unless that window
// belongs to a box or dialog owned by the panel's top-level window.
void watchFocusLeaving(HWND panel, std::function<void()> onLeave);

bool isInside(HWND window, HWND container);

} // namespace quivra::win
