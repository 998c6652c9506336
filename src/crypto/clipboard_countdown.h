// Decryption into the clipboard: the clipboard's earlier text is kept while a
// countdown of 400 timer ticks runs, then put back (empty text if the
// clipboard held none, so a picture or files are not restored).
#pragma once

#include <optional>
#include <string>

namespace quivra::crypto {

class ClipboardCountdown {
  public:
    static constexpr int kSteps = 400;
    // The countdown window: its size, placed at the work area's bottom right.
    static constexpr int kWindowWidth = 402;
    static constexpr int kWindowHeight = 17;
    struct Place {
        int x;
        int y;
    };
    static Place windowPlace(int workAreaWidth, int workAreaHeight) {
        return {workAreaWidth - kWindowWidth, workAreaHeight - kWindowHeight};
    }

    bool running() const { return position_ > 0; }
    int position() const { return position_; } // the progress bar's position

    // An in-place decryption forgets the earlier clipboard text, so the
    // countdown then ends with an empty clipboard.
    void forgetSavedText();

    // A decryption into the clipboard: remember the clipboard's text (none if
    // it held no text) and start from kSteps.
    void start(std::optional<std::u16string> clipboardText);

    // One tick. When the countdown reaches 0, returns the text to put on the
    // clipboard and forgets it; otherwise nothing.
    std::optional<std::u16string> tick();
    // Ends a running countdown at once (the program is going): the text to
    // put back, or nothing when no countdown runs.
    std::optional<std::u16string> stop();

  private:
    int position_ = 0;
    std::u16string saved_;
};

} // namespace quivra::crypto
