#include "win/file_dialog_win.h"

#include "win/message_box_win.h"

#include <commdlg.h>

#include <vector>

namespace quivra::win {

namespace {
FileDialogHook& hook() {
    static FileDialogHook h;
    return h;
}
} // namespace

std::optional<std::wstring> fileDialog(HWND owner, const FileDialogRequest& request) {
    const ModalScope open;
    if (hook())
        return hook()(request);
    std::vector<wchar_t> name(32768, L'\0');
    request.fileName.copy(name.data(), std::min(request.fileName.size(), name.size() - 1));
    std::wstring filter = request.filter;
    filter.push_back(L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                (request.save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                              : (request.mustExist ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0));
    const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen)
        return std::nullopt;
    return std::wstring(name.data());
}

void setFileDialogHook(FileDialogHook h) {
    hook() = std::move(h);
}

} // namespace quivra::win
