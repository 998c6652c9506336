// Watching a folder for files that appear, go, get new names or new content,
// on a thread of its own that only tells a window: the window's thread does
// the work, so nothing else runs in parallel.
#pragma once

#include "win/handles_win.h"

#include <windows.h>

#include <string>

namespace quivra::win {

struct ChangeNotificationTraits {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void close(HANDLE h) noexcept { FindCloseChangeNotification(h); }
};

class FolderWatch {
  public:
    FolderWatch() = default;
    ~FolderWatch() { stop(); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches `folder` (not its sub-folders) and posts WM_COMMAND with
    // `commandId` to `window` after each batch of changes the system reports
    // (names, sizes, last-write times). Stops a watch of another folder
    // first. False when the folder cannot be watched (missing, say).
    bool start(const std::wstring& folder, HWND window, int commandId);
    void stop();
    const std::wstring& folder() const noexcept { return folder_; }
    // False once the watch has ended on its own (its folder was removed or
    // could not be watched any more): a start again takes it up.
    bool running() const;

  private:
    static DWORD WINAPI run(void* self);

    std::wstring folder_;
    HWND window_ = nullptr;
    int commandId_ = 0;
    UniqueHandle<HANDLE, ChangeNotificationTraits> change_;
    UniqueKernelHandle stop_;
    UniqueKernelHandle thread_;
};

} // namespace quivra::win
