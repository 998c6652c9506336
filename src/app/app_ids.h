// Identifiers of the main window itself: its pages, the editor, the help texts and the tray menu's
// exit item. They come from the subsystem's block, so that one number tells the router where a
// command, notification or tick goes.
#pragma once

#include "program/id_blocks.h"

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

} // namespace quivra::app
