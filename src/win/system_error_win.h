// The system's own text for an error code, as the standard error box shows it.
#pragma once

#include <windows.h>

#include <string>

namespace quivra::win {

std::u16string systemErrorText(DWORD code);

} // namespace quivra::win
