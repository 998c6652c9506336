#include <gtest/gtest.h>

#include "base/dpi_scale.h"

#include <climits>

using namespace quivra::base;

// Scaling rounds to the nearest pixel, halves away from zero (as the
// platform's MulDiv), and never overflows.
TEST(DpiScale, ScalesAndRoundsAsThePlatformDoes) {
    struct Case {
        int designed, dpi, device;
    } cases[] = {
        {640, 96, 640},
        {640, 144, 960},
        {3, 144, 5},
        {-3, 144, -5},
        {23, 144, 35},
        {5, 120, 6},
        {7, 120, 9},
        {480, 192, 960},
        {INT_MAX, 192, INT_MAX},
        {INT_MIN, 192, INT_MIN},
        {10, 0, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaledToDpi(c.designed, c.dpi), c.device) << c.designed << " at " << c.dpi;
}

// A stored value read, scaled, and stored again is the value it was, at every
// scale of 100% or more: a settings file does not drift from use to use.
TEST(DpiScale, DesignedFromDpiUndoesTheScaling) {
    for (int dpi : {96, 120, 144, 168, 192, 240})
        for (int designed = -700; designed <= 2000; ++designed)
            ASSERT_EQ(designedFromDpi(scaledToDpi(designed, dpi), dpi), designed)
                << designed << " at " << dpi;
}
