#include <gtest/gtest.h>

#include "crypto/clipboard_countdown.h"

#include <vector>

using quivra::crypto::ClipboardCountdown;
using Stage = ClipboardCountdown::Stage;

namespace {

// Ticks until the countdown asks for the put-back; returns the ticks it took.
int runOut(ClipboardCountdown& c) {
    int ticks = 1;
    while (!c.tick())
        ++ticks;
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
        countdown.start(c.earlier, u"секрет");
        EXPECT_EQ(countdown.position(), 400) << c.name;
        if (c.forgetMeanwhile)
            countdown.forgetSavedText();
        EXPECT_EQ(runOut(countdown), 400) << c.name;
        EXPECT_EQ(countdown.earlierText(), c.restored) << c.name;
        EXPECT_EQ(countdown.position(), 0);
        countdown.putBackDone();
        EXPECT_FALSE(countdown.running()) << c.name;
        EXPECT_FALSE(countdown.tick()) << "idle ticks put nothing back";
    }
}

TEST(ClipboardCountdown, SitsAtTheBottomRightOfTheWorkArea) {
    const auto place = ClipboardCountdown::windowPlace(1280, 994, {402, 17});
    EXPECT_EQ(place.x, 1280 - 402);
    EXPECT_EQ(place.y, 994 - 17);
}

// Which events try to put the earlier text back, and the stage, the timer
// and the window's text each leads to, from the decryption on.
TEST(ClipboardCountdown, ABusyClipboardIsTriedAgainUntilTheSecretIsGone) {
    enum Event { Tick, CalledIn, Ending, Failed, Done };
    struct Step {
        Event event;
        int times;
        bool tryNow; // the event's answer, each time
        Stage stage;
    };
    constexpr int round = ClipboardCountdown::kTriesPerRound;
    const std::vector<Step> cases[] = {
        {{Tick, 399, false, Stage::Counting},
         {CalledIn, 1, false, Stage::Counting},
         {Tick, 1, true, Stage::Retrying},
         {Failed, round - 1, false, Stage::Retrying},
         {Tick, 1, true, Stage::Retrying},
         {Failed, 1, false, Stage::Resting},
         {Tick, 5, false, Stage::Resting},
         {CalledIn, 1, true, Stage::Retrying},
         {Failed, round, false, Stage::Resting},
         {Ending, 1, true, Stage::Retrying},
         {Done, 1, false, Stage::Idle},
         {Tick, 1, false, Stage::Idle},
         {CalledIn, 1, false, Stage::Idle}},
        // The end of the program does not wait for the countdown.
        {{Tick, 1, false, Stage::Counting},
         {Ending, 1, true, Stage::Retrying},
         {Done, 1, false, Stage::Idle},
         {Ending, 1, false, Stage::Idle}},
    };
    for (const auto& steps : cases) {
        ClipboardCountdown countdown;
        countdown.start(u"прежний текст", u"секрет");
        for (const Step& s : steps) {
            SCOPED_TRACE(testing::Message()
                         << "case " << (&steps - cases) << ", event " << s.event);
            for (int n = 0; n < s.times; ++n) {
                const bool asked = s.event == Tick       ? countdown.tick()
                                   : s.event == CalledIn ? countdown.windowCalledIn()
                                   : s.event == Ending   ? countdown.ending()
                                   : s.event == Failed   ? (countdown.putBackFailed(), false)
                                                         : (countdown.putBackDone(), false);
                EXPECT_EQ(asked, s.tryNow);
            }
            EXPECT_EQ(countdown.stage(), s.stage);
            const unsigned period = s.stage == Stage::Counting   ? 10
                                    : s.stage == Stage::Retrying ? 100
                                                                 : 0;
            EXPECT_EQ(countdown.timerPeriodMs(), period);
            EXPECT_EQ(countdown.notice() == ClipboardCountdown::kBusyNotice,
                      s.stage == Stage::Retrying || s.stage == Stage::Resting);
        }
    }
}
