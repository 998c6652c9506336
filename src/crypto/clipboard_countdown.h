// Decryption into the clipboard: the clipboard's earlier text is kept while a
// countdown of 400 timer ticks runs, then put back (empty text if the
// clipboard held none, so a picture or files are not restored).
//
// The secret must not stay on the clipboard because another program held it
// open at the end. A failed put-back is tried again every 100 ms for a few
// seconds; after that round the timer rests and a new round starts when the
// main window is called in, and a last try is made when the program ends or
// the session does. Until the secret is gone the countdown window stays and
// says why.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::crypto {

class ClipboardCountdown {
  public:
    static constexpr int kSteps = 400;
    // The timer's period while counting: the 400 steps take 4 s, about 6 s
    // where the system's timer ticks every 15.6 ms.
    static constexpr unsigned kStepMs = 10;
    // While the clipboard is busy: one try each period, a round of tries,
    // then rest until the next occasion.
    static constexpr unsigned kRetryMs = 100;
    static constexpr int kTriesPerRound = 30;

    enum class Stage {
        Idle,     // no secret of ours on the clipboard
        Counting, // the secret is there for the countdown
        Retrying, // the clipboard was busy; a try each kRetryMs
        Resting,  // a round of tries failed; waiting for the next occasion
    };

    // What the countdown window shows, at 96 DPI.
    static constexpr std::u16string_view kCountingLabel = u"До сброса буфера";
    static constexpr std::u16string_view kBusyNotice =
        u"Буфер обмена занят другой программой: секрет будет стёрт, как только он освободится";
    struct Size {
        int width;
        int height;
    };
    static constexpr Size kCountingSize{402, 17};
    static constexpr Size kBusySize{402, 32}; // two lines of the notice
    struct Place {
        int x;
        int y;
    };
    // At the work area's bottom right, measured from the work area's size.
    static Place windowPlace(int workAreaWidth, int workAreaHeight, Size window) {
        return {workAreaWidth - window.width, workAreaHeight - window.height};
    }

    Stage stage() const { return stage_; }
    // The countdown window shows (and a second decryption into the clipboard
    // waits) until the secret is gone.
    bool running() const { return stage_ != Stage::Idle; }
    bool clipboardBusy() const { return stage_ == Stage::Retrying || stage_ == Stage::Resting; }
    int position() const { return position_; } // the progress bar's position
    std::u16string_view notice() const { return clipboardBusy() ? kBusyNotice : kCountingLabel; }
    Size windowSize() const { return clipboardBusy() ? kBusySize : kCountingSize; }
    // The timer's period in this stage; 0 when the timer stands still.
    unsigned timerPeriodMs() const;

    // A decryption into the clipboard: remember the clipboard's text (none if
    // it held no text) and what the secret looks like, and start from kSteps.
    void start(std::optional<std::u16string> clipboardText, std::u16string_view secret);
    // An in-place decryption forgets the earlier clipboard text, so the
    // countdown then ends with an empty clipboard.
    void forgetSavedText();

    // One timer tick; true when the earlier text is to be put back now (the
    // countdown reached 0, or a retry is due).
    bool tick();
    // The main window was called in: true when a put-back waits, which starts
    // a new round of tries with this one. A countdown is not cut short.
    bool windowCalledIn();
    // The program or the session ends: true when the secret is still to be
    // taken off, at once, even while counting.
    bool ending();

    // For a put-back: whether the clipboard, holding `now`, is to get the
    // earlier text. Only while it holds the secret; what was copied meanwhile
    // stays.
    bool replaces(const std::optional<std::u16string>& now) const;
    const std::u16string& earlierText() const { return SavedClipboardText; }
    // The outcome of a put-back: the secret is gone (the earlier text is
    // back, or the secret had been replaced), or the clipboard could not be
    // opened.
    void putBackDone();
    void putBackFailed();

  private:
    void startRound();

    Stage stage_ = Stage::Idle;
    int position_ = 0;
    int triesLeft_ = 0;
    std::uint64_t secret_ = 0;
    std::u16string SavedClipboardText;
};

} // namespace quivra::crypto
