#include "win/window_win.h"

#include "base/errors.h"
#include "base/utf.h"
#include "win/message_box_win.h"
#include "win/wide_win.h"

#include <string>

namespace quivra::win {

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::create(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* title,
                    int x, int y, int w, int h, HWND parent, HMENU idOrMenu, HBRUSH background,
                    UINT classStyle) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(inst, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::staticProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        // Only a top-level window shows the program's icon (its caption, the
        // task bar). Both sizes are given: a class with only the large one
        // has the system scale a copy for it as it registers.
        if (!(style & WS_CHILD)) {
            wc.hIcon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), LR_SHARED));
            wc.hIconSm = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        }
        if (!RegisterClassExW(&wc))
            return false;
    }
    return CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, idOrMenu, inst,
                           this) != nullptr;
}

LRESULT Window::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return defaultProc(msg, wp, lp);
}

LRESULT Window::defaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    // A control in dialog mode answers Esc by posting WM_CLOSE to its parent
    // (a rich-edit or multi-line edit control under the main loop's
    // IsDialogMessage); the default handling would destroy the panel with
    // everything in it. A child window of ours ends only with its owner.
    if (msg == WM_CLOSE && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD))
        return 0;
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Window::onCommandFailed(const wchar_t* text) {
    showErrorBox(hwnd_, text);
}

LRESULT CALLBACK Window::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    const LRESULT r = guardedCall([&] { return self->handleMessage(msg, wp, lp); },
                                  [&](const wchar_t* text) { self->onCommandFailed(text); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return r;
}

std::wstring currentFailureText() {
    try {
        throw;
    } catch (const base::UserError& e) {
        return asWide(e.text());
    } catch (const std::exception& e) {
        return toWide(base::utf8ToUtf16(e.what()));
    } catch (...) {
        return L"Unknown error";
    }
}

void showErrorBox(HWND owner, const wchar_t* text) {
    // The control that had the focus gets it back once the box is closed, as
    // the user left it (the window itself would take it otherwise).
    HWND focus = GetFocus();
    messageBox(owner, text, L"Quivra", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    if (focus && focus != GetFocus() && IsWindow(focus) && IsWindowVisible(focus) &&
        IsWindowEnabled(focus))
        SetFocus(focus);
}

} // namespace quivra::win
