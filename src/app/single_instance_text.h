// The warning shown when the program is started while a copy of it already
// runs. It tells the user where the running copy's hidden window can be
// clicked, which depends on the edge that copy is docked at.
#pragma once

#include <string>

#include "window/docking.h"

namespace quivra::app {

// "Quivra: Повторный запуск " (the trailing space is part of the caption).
std::u16string secondCopyCaption();

// The message text; lines are separated by carriage returns, as the message
// box expects. No edge leaves only the first line and the blank one after it.
std::u16string secondCopyText(window::DockEdge edge, window::Screen screen);

} // namespace quivra::app
