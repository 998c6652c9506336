// The main window's resize borders. The window has no frame of its own: its
// window procedure answers the hit test itself, offering a border within 5 px
// of each free side and never on the side docked to the screen edge.
#pragma once

#include "window/docking.h"

namespace quivra::window {

// Hit-test answers (the WM_NCHITTEST codes).
inline constexpr int kHitNowhere = 0;
inline constexpr int kHitLeft = 10;
inline constexpr int kHitRight = 11;
inline constexpr int kHitTop = 12;
inline constexpr int kHitTopLeft = 13;
inline constexpr int kHitTopRight = 14;
inline constexpr int kHitBottom = 15;
inline constexpr int kHitBottomLeft = 16;
inline constexpr int kHitBottomRight = 17;

// Closer than this to a side (in pixels at 96 DPI, either way) is on its
// border. The border is scaled with the frame strips that lie over its inner
// part, so a band between a strip and the page control stays to grab.
inline constexpr int kResizeBorder = 6;

// The answer for the cursor (screen pixels) over the window at `topLeft` of
// `size`. Corners come first, then sides; a corner or side that touches the
// docked edge is skipped and the later rows are tried, so a left-docked
// window answers its bottom-right corner as its right border. No edge skips
// nothing. `border` is the border's width in the screen's pixels.
int resizeHitTest(DockEdge edge, Point cursor, Point topLeft, Size size,
                  int border = kResizeBorder);

} // namespace quivra::window
