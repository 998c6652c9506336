// A splitter bar dragged with the left mouse button: the sizing cursor over
// it, the mouse captured while the button is down, and the mouse's place in
// the bar's parent (client coordinates) reported at each move and at the
// release.
#pragma once

#include "win/subclass_win.h"

#include <windows.h>

#include <functional>

namespace quivra::win {

class SplitterDrag {
  public:
    enum class Moves { LeftRight, UpDown };

    // `onMove` runs at each move while dragging, `onRelease` once the
    // button is let go after a drag began.
    void attach(HWND splitter, Moves moves, std::function<void(POINT)> onMove,
                std::function<void()> onRelease = {});
    bool dragging() const noexcept { return dragging_; }

  private:
    std::optional<LRESULT> onMessage(UINT msg, LPARAM lp);

    HWND splitter_ = nullptr;
    Moves moves_ = Moves::UpDown;
    bool dragging_ = false;
    std::function<void(POINT)> onMove_;
    std::function<void()> onRelease_;
    Subclass events_;
};

} // namespace quivra::win
