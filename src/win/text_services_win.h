// The text services answered by Windows: the system's ANSI code page and the
// user locale's lower case.
#pragma once

#include "base/text_services.h"

namespace quivra::win {

const base::TextServices& win32TextServices();

// Makes textServices() answer with the Windows services; call once at start.
void installWin32TextServices();

} // namespace quivra::win
