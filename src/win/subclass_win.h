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

    // Lays the handler over the control, above those of this kind laid
    // before it (a subclass of the system's helpers laid in between stays
    // above them all); a control destroyed first detaches every handler.
    void attach(HWND control, Handler handler);
    void detach();
    HWND control() const noexcept { return control_; }

    // Lays every handler over `from` onto `to` instead, in the same order,
    // for a control replaced by a fresh one of its kind: the handlers follow
    // it without their owners doing anything. `from` gets its own procedure
    // back. `meanwhile` runs while the handlers are on neither control, for
    // what they must not see as an event of their own (the focus going from
    // one to the other); it runs in any case. False, and nothing moved, when
    // `from` has none of these handlers or `to` already has some.
    static bool moveHandlers(HWND from, HWND to, const std::function<void()>& meanwhile = {});

    struct Chain;

  private:
    static LRESULT CALLBACK chainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT passOn(const Subclass* below, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT run(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const;

    HWND control_ = nullptr;
    Subclass* below_ = nullptr; // the handler laid before this one, if any
    Handler handler_;
};

} // namespace quivra::win
