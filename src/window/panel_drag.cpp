#include "window/panel_drag.h"

#include <algorithm>
#include <cstdlib>

namespace quivra::window {

std::optional<Point> PanelDrag::follow(Point pointer) {
    Point held = pointer;
    if (area_.right > area_.left && area_.bottom > area_.top) {
        held.x = std::clamp(pointer.x, area_.left, area_.right - 1);
        held.y = std::clamp(pointer.y, area_.top, area_.bottom - 1);
    }
    const int dx = held.x - pointer_.x;
    const int dy = held.y - pointer_.y;
    if (!moved_ && std::abs(dx) <= threshold_.width && std::abs(dy) <= threshold_.height)
        return std::nullopt;
    moved_ = true;
    return Point{place_.x + dx, place_.y + dy};
}

} // namespace quivra::window
