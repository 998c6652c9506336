// The keyboard's way between the main window's pages, whose tabs take no
// focus: Ctrl+Tab shows the next page, Ctrl+Shift+Tab the one before, round
// the four. A control of the page shown then has the focus (the notes page
// gives it to the editor itself).
#pragma once

#include "program/subsystem_win.h"

#include <windows.h>

namespace quivra::app {

// True when the message was such a key and the page was changed.
bool stepPageByKey(const MSG& msg, program::Host& host);

} // namespace quivra::app
