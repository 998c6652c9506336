#include <gtest/gtest.h>

#include "window/resize_hit_test.h"

using namespace quivra::window;

namespace {
// A 640 x 480 window at 100, 200: sides at x 100 and 740, y 200 and 680.
constexpr Point kAt{100, 200};
constexpr Size kSize{640, 480};
constexpr Point kBottomRight{738, 684}, kBottomLeft{95, 676}, kTopRight{745, 195},
    kTopLeft{104, 204}, kLeft{95, 400}, kTop{300, 205}, kRight{740, 400}, kBottom{300, 680},
    kInside{300, 400};
} // namespace

TEST(ResizeHitTest, DockedSidesOfferNoBorderAndSkippedCornersFallThrough) {
    struct Case {
        Point cursor;
        int none, left, top, right, bottom; // answer per DockEdge
    } cases[] = {
        {kBottomRight, kHitBottomRight, kHitRight, kHitBottomRight, kHitBottom, kHitRight},
        {kBottomLeft, kHitBottomLeft, kHitBottom, kHitBottomLeft, kHitBottomLeft, kHitLeft},
        {kTopRight, kHitTopRight, kHitTopRight, kHitRight, kHitTop, kHitTopRight},
        {kTopLeft, kHitTopLeft, kHitTop, kHitLeft, kHitTopLeft, kHitTopLeft},
        {kLeft, kHitLeft, kHitNowhere, kHitLeft, kHitLeft, kHitLeft},
        {kTop, kHitTop, kHitTop, kHitNowhere, kHitTop, kHitTop},
        {kRight, kHitRight, kHitRight, kHitRight, kHitNowhere, kHitRight},
        {kBottom, kHitBottom, kHitBottom, kHitBottom, kHitBottom, kHitNowhere},
        {kInside, kHitNowhere, kHitNowhere, kHitNowhere, kHitNowhere, kHitNowhere},
    };
    for (const auto& c : cases) {
        const int expected[] = {c.none, c.left, c.top, c.right, c.bottom};
        for (int e = -1; e <= 3; ++e)
            EXPECT_EQ(resizeHitTest(dockEdgeFromIndex(e), c.cursor, kAt, kSize), expected[e + 1])
                << "edge " << e << " at " << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(ResizeHitTest, TheBorderIsFivePixelsEitherWayScaledWithTheScreen) {
    for (int dx = -10; dx <= 10; ++dx) {
        EXPECT_EQ(resizeHitTest(DockEdge::Left, {740 + dx, 400}, kAt, kSize),
                  dx > -6 && dx < 6 ? kHitRight : kHitNowhere)
            << dx;
        // At 150% the frame strip is 5 px wide: the border (9 px) reaches
        // past it.
        EXPECT_EQ(resizeHitTest(DockEdge::Left, {740 + dx, 400}, kAt, kSize, 9),
                  dx > -9 && dx < 9 ? kHitRight : kHitNowhere)
            << dx;
    }
    // Far coordinates do not overflow.
    EXPECT_EQ(
        resizeHitTest(DockEdge::None, {-2147483647 - 1, 1000}, {2147483647 - 10, 0}, {20, 20}),
        kHitNowhere);
}
