#include <gtest/gtest.h>

#include "window/docking.h"

using namespace quivra::window;

namespace {
constexpr Screen kFullHd{1920, 1080};
} // namespace

TEST(Docking, RestingPlacesByEdgeAndTheShownTest) {
    struct Case {
        DockEdge edge;
        Screen screen;
        int w, h;
        Point shown, hidden;
    } cases[] = {
        {DockEdge::Left, kFullHd, 640, 480, {0, 300}, {-639, 300}},
        {DockEdge::Top, kFullHd, 640, 480, {640, 0}, {640, -479}},
        {DockEdge::Right, kFullHd, 640, 480, {1280, 300}, {1919, 300}},
        {DockEdge::Bottom, kFullHd, 640, 480, {640, 600}, {640, 1079}},
        // Each half is truncated on its own: 683 - 320 and 384 - 240.
        {DockEdge::Top, {1367, 769}, 641, 481, {363, 0}, {363, -480}},
        {DockEdge::Right, {1367, 769}, 641, 481, {726, 144}, {1366, 144}},
        // A window taller than the screen is centred above its top.
        {DockEdge::Left, {800, 300}, 640, 481, {0, -90}, {-639, -90}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownPosition(c.edge, c.screen, c.w, c.h), c.shown) << int(c.edge);
        EXPECT_EQ(HiddenPosition(c.edge, c.screen, c.w, c.h), c.hidden) << int(c.edge);
        EXPECT_TRUE(isTakenAsShown(c.edge, c.shown.x, c.shown.y, c.screen, c.w, c.h));
        EXPECT_FALSE(isTakenAsShown(c.edge, c.hidden.x, c.hidden.y, c.screen, c.w, c.h));
    }
    // Only the coordinate across the edge counts.
    EXPECT_TRUE(isTakenAsShown(DockEdge::Left, 0, 999, kFullHd, 640, 480));
    EXPECT_FALSE(isTakenAsShown(DockEdge::Bottom, 600, 640, kFullHd, 640, 480));
    for (int index : {-1, 4}) {
        EXPECT_FALSE(ShownPosition(dockEdgeFromIndex(index), kFullHd, 640, 480));
        EXPECT_FALSE(HiddenPosition(dockEdgeFromIndex(index), kFullHd, 640, 480));
        EXPECT_FALSE(isTakenAsShown(dockEdgeFromIndex(index), 0, 0, kFullHd, 640, 480));
    }
}

TEST(Docking, SlidesMoveInWholeStepsAndSnapOntoTheTarget) {
    std::vector<int> leftOut;
    for (int l = -10; l >= -630; l -= 10)
        leftOut.push_back(l);
    leftOut.push_back(-639);
    EXPECT_EQ(slideOutCoordinates(DockEdge::Left, 0, 10, kFullHd, 640, 480), leftOut);
    EXPECT_EQ(slideInCoordinates(DockEdge::Bottom, 1079, 100, kFullHd, 640, 480),
              (std::vector<int>{979, 879, 779, 679, 600}));
    // A distance of whole steps ends on a full step, not with a repeated target.
    EXPECT_EQ(slideInCoordinates(DockEdge::Left, -30, 10, kFullHd, 640, 480),
              (std::vector<int>{-20, -10, 0}));
    // Already there, or beyond the target: only the snap.
    EXPECT_EQ(slideInCoordinates(DockEdge::Top, 0, 10, kFullHd, 640, 480), std::vector<int>{0});
    EXPECT_EQ(slideInCoordinates(DockEdge::Left, 25, 10, kFullHd, 640, 480), std::vector<int>{0});
    EXPECT_TRUE(slideInCoordinates(DockEdge::None, 0, 10, kFullHd, 640, 480).empty());
    // A zero step still ends.
    EXPECT_EQ(slideOutCoordinates(DockEdge::Top, -476, 0, kFullHd, 640, 480),
              (std::vector<int>{-477, -478, -479}));
}

TEST(Docking, NoSlidePassesItsTarget) {
    for (DockEdge edge : {DockEdge::Left, DockEdge::Top, DockEdge::Right, DockEdge::Bottom}) {
        const bool alongX = edge == DockEdge::Left || edge == DockEdge::Right;
        const Point shown = *ShownPosition(edge, kFullHd, 700, 500);
        const Point hidden = *HiddenPosition(edge, kFullHd, 700, 500);
        const int in = alongX ? shown.x : shown.y;
        const int out = alongX ? hidden.x : hidden.y;
        for (int step : {10, 13, 99, 100}) {
            for (bool slidingIn : {true, false}) {
                const int from = slidingIn ? out : in;
                const int to = slidingIn ? in : out;
                const auto path = slidingIn
                                      ? slideInCoordinates(edge, from, step, kFullHd, 700, 500)
                                      : slideOutCoordinates(edge, from, step, kFullHd, 700, 500);
                ASSERT_EQ(path.back(), to);
                const int dir = to > from ? 1 : -1;
                int prev = from;
                for (std::size_t i = 0; i + 1 < path.size(); prev = path[i++])
                    ASSERT_EQ(path[i] - prev, dir * step);
                EXPECT_GT((to - prev) * dir, 0);
                EXPECT_LE((to - prev) * dir, step) << int(edge) << " step " << step;
            }
        }
    }
}

TEST(Docking, ToggleNarrowsOversizedWindowElseRestoresStoredSizeNotBelowTheMinimum) {
    constexpr Size kMinimum{640, 320};
    // A stored width the screen cannot hold: toggles alternate between the two.
    Size size{640, 480};
    for (const Size expected : {Size{2000, 500}, Size{1920, 500}, Size{2000, 500}}) {
        size = toggledSize(kFullHd, size, {2000, 500}, kMinimum);
        EXPECT_EQ(size, expected);
    }
    EXPECT_EQ(toggledSize(kFullHd, {900, 1200}, {900, 500}, kMinimum), (Size{900, 1080}));
    // Sizes the settings file may hold that no window can have.
    EXPECT_EQ(toggledSize(kFullHd, {640, 480}, {0, 0}, kMinimum), kMinimum);
    EXPECT_EQ(toggledSize(kFullHd, {640, 480}, {-5, 100}, kMinimum), kMinimum);
}

TEST(Docking, StartUpPlacesHiddenOrShown) {
    const auto hidden = initialPlacement(DockEdge::Bottom, true, 220, kFullHd, 640, 480);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->position, (Point{640, 1079}));
    EXPECT_EQ(hidden->opacity, kHiddenOpacity);
    EXPECT_TRUE(hidden->bringToTop);
    const auto shown = initialPlacement(DockEdge::Left, false, 220, kFullHd, 640, 480);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->position, (Point{0, 300}));
    EXPECT_EQ(shown->opacity, 220);
    EXPECT_FALSE(shown->bringToTop);
    for (bool startHidden : {true, false})
        EXPECT_FALSE(initialPlacement(DockEdge::None, startHidden, 220, kFullHd, 640, 480));
}
