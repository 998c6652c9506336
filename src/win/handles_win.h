// Move-only owners of Win32 handles. Each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace quivra::win {

template <typename H, typename Traits> class UniqueHandle {
  public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(H h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            reset(o.release());
        return *this;
    }
    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return Traits::valid(h_); }
    H release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) noexcept {
        if (Traits::valid(h_))
            Traits::close(h_);
        h_ = h;
    }

  private:
    H h_ = Traits::invalid();
};

template <typename H, auto Close> struct NullTraits {
    static H invalid() noexcept { return nullptr; }
    static bool valid(H h) noexcept { return h != nullptr; }
    static void close(H h) noexcept { Close(h); }
};

struct FileHandleTraits {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};

inline void closeGdi(HGDIOBJ h) noexcept {
    DeleteObject(h);
}
inline void closeKey(HKEY h) noexcept {
    RegCloseKey(h);
}
inline void closeMenu(HMENU h) noexcept {
    DestroyMenu(h);
}
inline void closeIcon(HICON h) noexcept {
    DestroyIcon(h);
}
inline void closeWindow(HWND h) noexcept {
    DestroyWindow(h);
}
inline void closeKernel(HANDLE h) noexcept {
    CloseHandle(h);
}
inline void closeFind(HANDLE h) noexcept {
    FindClose(h);
}
inline void closeAccel(HACCEL h) noexcept {
    DestroyAcceleratorTable(h);
}

using UniqueHandleFile = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, NullTraits<HANDLE, closeKernel>>;
using UniqueFont = UniqueHandle<HFONT, NullTraits<HFONT, closeGdi>>;
using UniqueBrush = UniqueHandle<HBRUSH, NullTraits<HBRUSH, closeGdi>>;
using UniquePen = UniqueHandle<HPEN, NullTraits<HPEN, closeGdi>>;
using UniqueBitmap = UniqueHandle<HBITMAP, NullTraits<HBITMAP, closeGdi>>;
using UniqueKey = UniqueHandle<HKEY, NullTraits<HKEY, closeKey>>;
using UniqueMenu = UniqueHandle<HMENU, NullTraits<HMENU, closeMenu>>;
using UniqueIcon = UniqueHandle<HICON, NullTraits<HICON, closeIcon>>;
using UniqueHwnd = UniqueHandle<HWND, NullTraits<HWND, closeWindow>>;
using UniqueAccel = UniqueHandle<HACCEL, NullTraits<HACCEL, closeAccel>>;

struct FindHandleTraits {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { FindClose(h); }
};
using UniqueFind = UniqueHandle<HANDLE, FindHandleTraits>;

// An open clipboard; closed when the owner goes out of scope.
class ClipboardLock {
  public:
    explicit ClipboardLock(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardLock() {
        if (open_)
            CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool isOpen() const noexcept { return open_; }

  private:
    bool open_;
};

// Suspends a window's repainting until the owner goes out of scope, then
// repaints it once.
class RedrawSuspension {
  public:
    explicit RedrawSuspension(HWND hwnd) noexcept : hwnd_(hwnd) {
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspension() {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

  private:
    HWND hwnd_;
};

} // namespace quivra::win
