// Answers the next real dialog of this process (a message box, the colour
// dialog) from another thread, as the user would, while the test's thread is
// held by the dialog's own message loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace quivra::test {

class BoxAnswerer {
  public:
    explicit BoxAnswerer(int button = IDOK) : button_(button) {
        thread_ = std::thread([this] { run(); });
    }
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Once the dialog was answered: its text (a message box's) and whether
    // the keyboard focus was in it while it showed.
    bool answered() const { return answered_; }
    const std::wstring& text() const { return text_; }
    bool hadFocus() const { return hadFocus_; }

  private:
    static HWND findDialog() {
        struct Found {
            HWND box = nullptr;
        } found;
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                wchar_t cls[16]{};
                GetClassNameW(w, cls, 16);
                if (pid != GetCurrentProcessId() || std::wstring(cls) != L"#32770" ||
                    !IsWindowVisible(w))
                    return TRUE;
                reinterpret_cast<Found*>(p)->box = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found.box;
    }
    void run() {
        for (int waited = 0; !stop_ && waited < 10000; waited += 20) {
            HWND box = findDialog();
            if (!box) {
                Sleep(20);
                continue;
            }
            Sleep(100); // shown and focused
            wchar_t text[512]{};
            GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 512);
            text_ = text;
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
            hadFocus_ = info.hwndFocus && (info.hwndFocus == box || IsChild(box, info.hwndFocus));
            answered_ = true;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
            return;
        }
    }

    int button_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::wstring text_;
    bool hadFocus_ = false;
};

} // namespace quivra::test
