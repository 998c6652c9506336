// Identifiers of the presentation: the hide button, the refresh, keeper and tray timers, the
// floating panels and their menu. They come from the subsystem's block, so that one number tells
// the router where a command, notification or tick goes.
#pragma once

#include "program/id_blocks.h"

namespace quivra::window {

enum WindowId : int {
    ID_HIDEBUTTON = program::kWindowIds.first,
    Timer1, // PeriodicRefresh, 50 ms, while shown
    Timer2, // HiddenKeeper
    A2,     // "Фиксация координат" of the floating panels' menu
    N44,    // "Сброс координат"
    // The floating panels, whoever owns their controls.
    ID_FONTPANEL,
    ID_NAMEPANEL,
    ID_CONFIRMPANEL,
    ID_PASSWORDPANEL,
    kTrayRetryTimer, // asks again for a tray icon the shell refused, a few times
    ID_WINDOW_LAST = kTrayRetryTimer,
};
static_assert(program::kWindowIds.contains(ID_WINDOW_LAST));

} // namespace quivra::window
