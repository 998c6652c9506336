// A window procedure laid over a control the program did not write (the
// editor, a splitter, a slider), with the same barrier as every window of the
// program: no exception leaves it; a failed command shows the standard error
// box over the control's top-level window.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace quivra::win {

class Subclass {
  public:
    // Answers a message, or nothing to let the control handle it. `next`
    // runs the control's own handling at once, for handlers that act after
    // it (the answer is then what `next` returned).
    using Next = std::function<LRESULT()>;
    using Handler =
        std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp, const Next& next)>;

    Subclass() = default;
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Lays the handler over the control; a control destroyed first detaches
    // itself.
    void attach(HWND control, Handler handler);
    void detach();
    HWND control() const noexcept { return control_; }

  private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR self);
    HWND control_ = nullptr;
    Handler handler_;
};

} // namespace quivra::win
