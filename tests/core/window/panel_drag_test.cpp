#include <gtest/gtest.h>

#include "window/panel_drag.h"

#include <optional>
#include <vector>

using namespace quivra::window;

namespace {
// A panel at 30, 40 in an area whose client rectangle lies at 100..500 x
// 200..400 on the screen, pressed at 150, 250; the drag threshold is 4 x 3.
PanelDrag pressed() {
    return PanelDrag({30, 40}, {150, 250}, {4, 3}, {100, 200, 500, 400});
}
} // namespace

// The pointer's path and where the panel is after each step (none: it has not
// moved). A press that stays within the threshold is a click, however long;
// once beyond it, the panel follows every step, back near the start too.
TEST(PanelDrag, ThePanelFollowsOnlyOnceThePointerHasGoneBeyondTheThreshold) {
    struct Case {
        const char* what;
        std::vector<Point> path;
        std::vector<std::optional<Point>> places;
        bool moved;
    };
    const Case cases[] = {
        {"within the threshold both ways",
         {{154, 253}, {146, 247}, {150, 250}},
         {std::nullopt, std::nullopt, std::nullopt},
         false},
        {"one pixel beyond on x", {{155, 250}, {150, 250}}, {Point{35, 40}, Point{30, 40}}, true},
        {"one pixel beyond on y, upwards", {{150, 246}}, {Point{30, 36}}, true},
        {"a long drag", {{152, 251}, {250, 330}}, {std::nullopt, Point{130, 120}}, true},
    };
    for (const auto& c : cases) {
        PanelDrag drag = pressed();
        for (std::size_t i = 0; i < c.path.size(); ++i)
            EXPECT_EQ(drag.follow(c.path[i]), c.places[i]) << c.what << ", step " << i;
        EXPECT_EQ(drag.moved(), c.moved) << c.what;
    }
}

// The pointer counts only inside the area, as the platform's move loop holds
// it: the panel never goes further than the pointer could inside its area.
TEST(PanelDrag, ThePointerIsHeldInsideTheArea) {
    PanelDrag drag = pressed();
    EXPECT_EQ(drag.follow({-900, 250}), (Point{30 - 50, 40}));
    EXPECT_EQ(drag.follow({900, 9000}), (Point{30 + 349, 40 + 149}));
    EXPECT_EQ(drag.follow({120, 210}), (Point{0, 0}));
    // An empty area holds nothing.
    PanelDrag unbounded({0, 0}, {10, 10}, {4, 3}, {});
    EXPECT_EQ(unbounded.follow({-90, 510}), (Point{-100, 500}));
}
