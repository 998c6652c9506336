// Geometry of the main window's places at its screen edge: where it rests
// when shown and when hidden, the coordinates a slide passes through, the size
// a toggle gives it and where start-up puts it. Everything is measured against
// the primary screen; "centred" uses integer division truncating toward zero.
#pragma once

#include <optional>
#include <vector>

namespace quivra::window {

// The edge the window belongs to; the values are the item indexes of the edge
// box and the stored Placement.
enum class DockEdge { None = -1, Left = 0, Top = 1, Right = 2, Bottom = 3 };

// Any index outside 0-3 means no edge: nothing that depends on the edge moves
// the window.
DockEdge dockEdgeFromIndex(int index);

struct Screen {
    int width = 0;
    int height = 0;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Opacity (layered-window alpha) of the hidden window: low enough to be
// practically invisible, high enough for its one-pixel line to take clicks.
inline constexpr int kHiddenOpacity = 1;

// Both coordinates of the resting places. Across the edge the window lies
// against it (shown) or beyond it with one pixel left on the screen (hidden);
// along the edge it is centred. No edge gives no position.
std::optional<Point> ShownPosition(DockEdge edge, Screen screen, int width, int height);
std::optional<Point> HiddenPosition(DockEdge edge, Screen screen, int width, int height);

// Whether a window at (left, top) counts as shown: only its coordinate across
// the edge is compared with the shown place. False for no edge.
bool isTakenAsShown(DockEdge edge, int left, int top, Screen screen, int width, int height);

// The edge coordinates (left for the left and right edges, top for the others)
// a slide visits after `start`: whole steps of `step` pixels that stop before
// they would pass the target, then the target itself. The slide never passes
// its target. A step below 1 counts as 1; no edge gives an empty list.
std::vector<int> slideInCoordinates(DockEdge edge, int start, int step, Screen screen, int width,
                                    int height);
std::vector<int> slideOutCoordinates(DockEdge edge, int start, int step, Screen screen, int width,
                                     int height);

// The main window's smallest size at 96 DPI.
inline constexpr int kMinimumWidth = 640;
inline constexpr int kMinimumHeight = 320;

// The window's Width and Height are stored in 96-DPI units and scaled to the
// screen's DPI wherever the window is sized (start-up, every toggle); a
// resize by the user stores its size back in those units. So a settings file
// means the same window at any scale. A stored extent below the minimum
// gives the minimum; one beyond any screen is held at a size that scales
// without overflow.
inline constexpr long kLargestStoredExtent = 100000;
int storedExtent(long stored, int minimum);

// The size a toggle gives the window: an extent larger than the screen's is
// narrowed to the screen, any other is reset to the stored one, never below
// the window's minimum (a stored 0 must not make the window vanish).
Size toggledSize(Screen screen, Size current, Size stored, Size minimum);

struct InitialPlacement {
    Point position;
    int opacity = 0;
    bool bringToTop = false; // the hidden start also raises the window
};

// Where start-up puts the window: its hidden place at the hidden opacity, or
// its shown place at the opacity of the slider. No edge leaves the window where
// it is (no placement).
std::optional<InitialPlacement> initialPlacement(DockEdge edge, bool startHidden, int sliderOpacity,
                                                 Screen screen, int width, int height);

} // namespace quivra::window
