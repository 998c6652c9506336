#include "win/folder_watch_win.h"

namespace quivra::win {

bool FolderWatch::start(const std::wstring& folder, HWND window, int commandId) {
    stop();
    UniqueHandle<HANDLE, ChangeNotificationTraits> change(FindFirstChangeNotificationW(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    if (!change)
        return false;
    UniqueKernelHandle stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stopEvent)
        return false;
    folder_ = folder;
    window_ = window;
    commandId_ = commandId;
    change_ = std::move(change);
    stop_ = std::move(stopEvent);
    thread_.reset(CreateThread(nullptr, 0, &FolderWatch::run, this, 0, nullptr));
    if (!thread_) {
        stop();
        return false;
    }
    return true;
}

void FolderWatch::stop() {
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    change_.reset();
    stop_.reset();
    folder_.clear();
}

bool FolderWatch::running() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

DWORD WINAPI FolderWatch::run(void* self) {
    auto& watch = *static_cast<FolderWatch*>(self);
    const HANDLE waits[] = {watch.stop_.get(), watch.change_.get()};
    for (;;) {
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return 0; // told to stop, or the wait failed
        PostMessageW(watch.window_, WM_COMMAND, static_cast<WPARAM>(watch.commandId_), 0);
        if (!FindNextChangeNotification(watch.change_.get())) {
            // The folder went: the window looks once more, and starts the
            // watch again when it finds the folder back.
            PostMessageW(watch.window_, WM_COMMAND, static_cast<WPARAM>(watch.commandId_), 0);
            return 0;
        }
    }
}

} // namespace quivra::win
