// A floating panel dragged by hand with the mouse, for the button whose
// release the platform's move loop would swallow (the right one, which also
// opens the panel's context menu): the panel stays put until the pointer has
// gone beyond the drag threshold from where the button went down, then
// follows it. The pointer counts only inside the area the panel lies in, as
// the platform's move loop holds it there, so a panel is never dragged out of
// reach.
#pragma once

#include "window/docking.h"

#include <optional>

namespace quivra::window {

// Screen pixels; right and bottom lie just outside.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class PanelDrag {
  public:
    // `place`: the panel's place in its area as the button went down;
    // `pointer`: the pointer then (screen pixels); `threshold`: how far the
    // pointer may go along each axis and still make a click; `area`: the
    // area's client rectangle on the screen.
    PanelDrag(Point place, Point pointer, Size threshold, ScreenRect area)
        : place_(place), pointer_(pointer), threshold_(threshold), area_(area) {}

    // The panel's place for the pointer at `pointer`; none while the pointer
    // has stayed within the threshold since the button went down.
    std::optional<Point> follow(Point pointer);
    // The pointer went beyond the threshold: the release ends a drag, not a
    // click.
    bool moved() const noexcept { return moved_; }

  private:
    Point place_;
    Point pointer_;
    Size threshold_;
    ScreenRect area_;
    bool moved_ = false;
};

} // namespace quivra::window
