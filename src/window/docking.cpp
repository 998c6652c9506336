#include "window/docking.h"

#include <algorithm>

namespace quivra::window {

namespace {

int centredTop(Screen screen, int height) {
    return screen.height / 2 - height / 2;
}
int centredLeft(Screen screen, int width) {
    return screen.width / 2 - width / 2;
}

// True for the edges whose slides move the left coordinate.
bool movesLeft(DockEdge edge) {
    return edge == DockEdge::Left || edge == DockEdge::Right;
}

// Combines the coordinate across the edge with the centred one along it.
Point placeAcross(DockEdge edge, int across, Screen screen, int width, int height) {
    if (movesLeft(edge))
        return {across, centredTop(screen, height)};
    return {centredLeft(screen, width), across};
}

int edgeCoordinate(DockEdge edge, Point p) {
    return movesLeft(edge) ? p.x : p.y;
}

// Whole steps toward the target in a fixed direction, stopping before a step
// would pass it, then the target. Computed in 64 bits so that no intermediate
// sum can overflow.
std::vector<int> approach(int start, int target, int step, bool increasing) {
    const long long s = std::max(step, 1);
    std::vector<int> visited;
    long long at = start;
    if (increasing) {
        while (at < target - s) {
            at += s;
            visited.push_back(static_cast<int>(at));
        }
    } else {
        while (at > target + s) {
            at -= s;
            visited.push_back(static_cast<int>(at));
        }
    }
    visited.push_back(target);
    return visited;
}

} // namespace

DockEdge dockEdgeFromIndex(int index) {
    switch (index) {
    case 0:
        return DockEdge::Left;
    case 1:
        return DockEdge::Top;
    case 2:
        return DockEdge::Right;
    case 3:
        return DockEdge::Bottom;
    default:
        return DockEdge::None;
    }
}

std::optional<Point> ShownPosition(DockEdge edge, Screen screen, int width, int height) {
    switch (edge) {
    case DockEdge::Left:
    case DockEdge::Top:
        return placeAcross(edge, 0, screen, width, height);
    case DockEdge::Right:
        return placeAcross(edge, screen.width - width, screen, width, height);
    case DockEdge::Bottom:
        return placeAcross(edge, screen.height - height, screen, width, height);
    case DockEdge::None:
        break;
    }
    return std::nullopt;
}

std::optional<Point> HiddenPosition(DockEdge edge, Screen screen, int width, int height) {
    switch (edge) {
    case DockEdge::Left:
        return placeAcross(edge, 1 - width, screen, width, height);
    case DockEdge::Top:
        return placeAcross(edge, 1 - height, screen, width, height);
    case DockEdge::Right:
        return placeAcross(edge, screen.width - 1, screen, width, height);
    case DockEdge::Bottom:
        return placeAcross(edge, screen.height - 1, screen, width, height);
    case DockEdge::None:
        break;
    }
    return std::nullopt;
}

bool isTakenAsShown(DockEdge edge, int left, int top, Screen screen, int width, int height) {
    const auto shown = ShownPosition(edge, screen, width, height);
    if (!shown)
        return false;
    return edgeCoordinate(edge, {left, top}) == edgeCoordinate(edge, *shown);
}

std::vector<int> slideInCoordinates(DockEdge edge, int start, int step, Screen screen, int width,
                                    int height) {
    const auto target = ShownPosition(edge, screen, width, height);
    if (!target)
        return {};
    // Sliding in moves away from the screen's outside: up the coordinate for
    // the left and top edges, down for the right and bottom ones.
    const bool increasing = edge == DockEdge::Left || edge == DockEdge::Top;
    return approach(start, edgeCoordinate(edge, *target), step, increasing);
}

std::vector<int> slideOutCoordinates(DockEdge edge, int start, int step, Screen screen, int width,
                                     int height) {
    const auto target = HiddenPosition(edge, screen, width, height);
    if (!target)
        return {};
    const bool increasing = edge == DockEdge::Right || edge == DockEdge::Bottom;
    return approach(start, edgeCoordinate(edge, *target), step, increasing);
}

int storedExtent(long stored, int minimum) {
    return static_cast<int>(std::clamp<long>(stored, minimum, kLargestStoredExtent));
}

Size toggledSize(Screen screen, Size current, Size stored, Size minimum) {
    return {screen.width < current.width ? screen.width : std::max(stored.width, minimum.width),
            screen.height < current.height ? screen.height
                                           : std::max(stored.height, minimum.height)};
}

std::optional<InitialPlacement> initialPlacement(DockEdge edge, bool startHidden, int sliderOpacity,
                                                 Screen screen, int width, int height) {
    if (startHidden) {
        const auto at = HiddenPosition(edge, screen, width, height);
        if (!at)
            return std::nullopt;
        return InitialPlacement{*at, kHiddenOpacity, true};
    }
    const auto at = ShownPosition(edge, screen, width, height);
    if (!at)
        return std::nullopt;
    return InitialPlacement{*at, sliderOpacity, false};
}

} // namespace quivra::window
