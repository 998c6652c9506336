#include <gtest/gtest.h>

#include "crypto/clipboard_countdown.h"

using quivra::crypto::ClipboardCountdown;

namespace {

// Ticks until the countdown ends; returns the number of ticks it took.
int runOut(ClipboardCountdown& c, std::optional<std::u16string>& restored) {
    int ticks = 0;
    while (c.running()) {
        ++ticks;
        restored = c.tick();
        if (c.running()) {
            EXPECT_FALSE(restored.has_value());
        }
    }
    return ticks;
}

} // namespace

TEST(ClipboardCountdown, PutsTheEarlierTextBackAfterFourHundredTicks) {
    struct Case {
        const char* name;
        std::optional<std::u16string> earlier;
        bool forgetMeanwhile;
        std::u16string restored;
    };
    const Case cases[] = {
        {"earlier text", u"прежний текст", false, u"прежний текст"},
        {"no text before (a picture)", std::nullopt, false, u""},
        {"an in-place decryption meanwhile", u"прежний текст", true, u""},
    };
    for (const auto& c : cases) {
        ClipboardCountdown countdown;
        EXPECT_FALSE(countdown.running());
        countdown.start(c.earlier);
        EXPECT_EQ(countdown.position(), 400) << c.name;
        if (c.forgetMeanwhile)
            countdown.forgetSavedText();
        std::optional<std::u16string> restored;
        EXPECT_EQ(runOut(countdown, restored), 400) << c.name;
        EXPECT_EQ(restored, c.restored) << c.name;
        EXPECT_EQ(countdown.position(), 0);
        EXPECT_FALSE(countdown.tick().has_value()) << "idle ticks restore nothing";
    }
}

TEST(ClipboardCountdown, SitsAtTheBottomRightOfTheWorkArea) {
    const auto place = ClipboardCountdown::windowPlace(1280, 994);
    EXPECT_EQ(place.x, 1280 - 402);
    EXPECT_EQ(place.y, 994 - 17);
}

TEST(ClipboardCountdown, StoppedAtOnceItGivesTheEarlierTextBackOnce) {
    ClipboardCountdown countdown;
    EXPECT_EQ(countdown.stop(), std::nullopt); // nothing runs
    countdown.start(u"прежний текст");
    countdown.tick();
    EXPECT_EQ(countdown.stop(), std::u16string(u"прежний текст"));
    EXPECT_FALSE(countdown.running());
    EXPECT_EQ(countdown.stop(), std::nullopt);
    EXPECT_EQ(countdown.tick(), std::nullopt);
}
