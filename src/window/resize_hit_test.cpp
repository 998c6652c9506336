#include "window/resize_hit_test.h"

#include <array>

namespace quivra::window {

namespace {

enum Near : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };

constexpr unsigned edgeBit(DockEdge edge) {
    return 1u << static_cast<int>(edge);
}

struct Row {
    unsigned sides;      // every one of them must be near
    unsigned notOnEdges; // edgeBit of the edges that skip the row
    int answer;
};

constexpr unsigned kLeftEdge = edgeBit(DockEdge::Left);
constexpr unsigned kTopEdge = edgeBit(DockEdge::Top);
constexpr unsigned kRightEdge = edgeBit(DockEdge::Right);
constexpr unsigned kBottomEdge = edgeBit(DockEdge::Bottom);

// Tried in order; the first row that holds answers. The corner rows' skipped
// edges are kept as the program has always had them (the bottom-right corner
// is also skipped for the left edge).
constexpr std::array<Row, 8> kRows{{
    {kRight | kBottom, kLeftEdge | kRightEdge | kBottomEdge, kHitBottomRight},
    {kLeft | kBottom, kLeftEdge | kBottomEdge, kHitBottomLeft},
    {kRight | kTop, kTopEdge | kRightEdge, kHitTopRight},
    {kLeft | kTop, kLeftEdge | kTopEdge, kHitTopLeft},
    {kLeft, kLeftEdge, kHitLeft},
    {kTop, kTopEdge, kHitTop},
    {kRight, kRightEdge, kHitRight},
    {kBottom, kBottomEdge, kHitBottom},
}};

bool near(long long a, long long b, int border) {
    const long long d = a - b;
    return d < border && d > -border;
}

} // namespace

int resizeHitTest(DockEdge edge, Point cursor, Point topLeft, Size size, int border) {
    const long long right = static_cast<long long>(topLeft.x) + size.width;
    const long long bottom = static_cast<long long>(topLeft.y) + size.height;
    unsigned sides = 0;
    if (near(topLeft.x, cursor.x, border))
        sides |= kLeft;
    if (near(topLeft.y, cursor.y, border))
        sides |= kTop;
    if (near(right, cursor.x, border))
        sides |= kRight;
    if (near(bottom, cursor.y, border))
        sides |= kBottom;
    const unsigned docked = edge == DockEdge::None ? 0 : edgeBit(edge);
    for (const auto& row : kRows)
        if ((sides & row.sides) == row.sides && (row.notOnEdges & docked) == 0)
            return row.answer;
    return kHitNowhere;
}

} // namespace quivra::window
