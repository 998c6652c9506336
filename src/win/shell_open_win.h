// Starting a program or opening a document or link with the system's
// handler (ShellExecuteW with the verb "open"), behind one hook so that the
// in-process tests see what would be started instead of starting it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quivra::win {

struct ShellOpen {
    std::wstring file;
    std::wstring parameters;
    std::wstring folder;
    int show = SW_SHOWNORMAL; // the started program's first window state
};

// The result is not examined by the callers: nothing is reported when the
// system cannot start the file.
void shellOpen(const ShellOpen& request);

using ShellOpenHook = std::function<void(const ShellOpen&)>;
void setShellOpenHook(ShellOpenHook hook);

} // namespace quivra::win
