// Base of every window class of the program: owns its HWND, routes messages
// to the derived object through the WM_NCCREATE thunk, and never lets an
// exception escape the window procedure.
#pragma once

#include <windows.h>

#include "win/handles_win.h"

#include <string>

namespace quivra::win {

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const noexcept { return hwnd_; }

  protected:
    // Registers the class once (by name) and creates the window.
    bool create(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* title, int x,
                int y, int w, int h, HWND parent, HMENU idOrMenu, HBRUSH background,
                UINT classStyle = CS_DBLCLKS);

    // Dispatches one message; the default goes to DefWindowProcW.
    virtual LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT defaultProc(UINT msg, WPARAM wp, LPARAM lp);

    // Called after the window procedure caught a failure of a command.
    virtual void onCommandFailed(const wchar_t* text);

  private:
    static LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

// Answers WM_PAINT: runs `paint` with the window's device context between
// BeginPaint and EndPaint.
template <class Paint> LRESULT paintWindow(HWND hwnd, Paint&& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint(dc);
    EndPaint(hwnd, &ps);
    return 0;
}

// Shows the standard error message box with a failure's text.
void showErrorBox(HWND owner, const wchar_t* text);

// Runs one message handler behind the barrier every window procedure has: a
// failure of the command it ran (quivra::UserError or any other exception)
// never leaves the procedure; its text goes to `onFailure` and 0 is returned.
template <class F, class OnFailure> LRESULT guardedCall(F&& handler, OnFailure&& onFailure);

// The text of the exception being handled, for the error box.
std::wstring currentFailureText();

template <class F, class OnFailure> LRESULT guardedCall(F&& handler, OnFailure&& onFailure) {
    try {
        return handler();
    } catch (...) {
        onFailure(currentFailureText().c_str());
    }
    return 0;
}

} // namespace quivra::win
