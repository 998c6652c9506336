#include "win/shell_open_win.h"

#include <shellapi.h>

namespace quivra::win {

namespace {
ShellOpenHook& hook() {
    static ShellOpenHook h;
    return h;
}

const wchar_t* orNull(const std::wstring& s) {
    return s.empty() ? nullptr : s.c_str();
}
} // namespace

void shellOpen(const ShellOpen& request) {
    if (hook()) {
        hook()(request);
        return;
    }
    ShellExecuteW(nullptr, L"open", request.file.c_str(), orNull(request.parameters),
                  orNull(request.folder), request.show);
}

void setShellOpenHook(ShellOpenHook h) {
    hook() = std::move(h);
}

} // namespace quivra::win
