// The common file dialogs, behind one hook so that the in-process tests can
// answer them instead of blocking on them.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quivra::win {

struct FileDialogRequest {
    bool save = false; // a "save as" dialog, else an "open" dialog
    std::wstring title;
    std::wstring filter;     // pairs of description and pattern, each ended by '\0'
    std::wstring fileName;   // proposed name
    std::wstring defaultExt; // added when the user types no extension
    bool mustExist = true;   // an "open" dialog refuses a typed name of no file
};

// The chosen file's full path; nothing when the user cancels.
std::optional<std::wstring> fileDialog(HWND owner, const FileDialogRequest& request);

using FileDialogHook = std::function<std::optional<std::wstring>(const FileDialogRequest&)>;
// Replaces the real dialog; an empty hook restores it.
void setFileDialogHook(FileDialogHook hook);

} // namespace quivra::win
