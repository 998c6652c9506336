// Identifiers of the main window itself: its pages, the editor, the help texts and the tray menu's
// exit item. They come from the subsystem's block, so that one number tells the router where a
// command, notification or tick goes.
#pragma once

#include "program/id_blocks.h"

#include <windows.h>

namespace quivra::app {

enum AppId : int {
    ID_QUIVRAPAGES = program::kAppIds.first,
    ID_NOTE, // the editor
    ID_HELPPAGES,
    ID_HELPTEXT,
    N6, // "Выход", the tray icon menu's item
    ID_APP_LAST = N6,
};
static_assert(program::kAppIds.contains(ID_APP_LAST));

// Start-up met failures; shown once the window is up.
inline constexpr UINT WM_QUIVRA_STARTUP_ERRORS = WM_APP + 4;
// How long a restarted copy waits for the copy that started it to end.
inline constexpr DWORD kRestartWaitMs = 5000;

} // namespace quivra::app
