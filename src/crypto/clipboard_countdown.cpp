#include "crypto/clipboard_countdown.h"

#include "crypto/text_fingerprint.h"

#include <utility>

namespace quivra::crypto {

unsigned ClipboardCountdown::timerPeriodMs() const {
    switch (stage_) {
    case Stage::Counting:
        return kStepMs;
    case Stage::Retrying:
        return kRetryMs;
    default:
        return 0;
    }
}

void ClipboardCountdown::start(std::optional<std::u16string> clipboardText,
                               std::u16string_view secret) {
    SavedClipboardText = clipboardText ? std::move(*clipboardText) : std::u16string();
    secret_ = textFingerprint(secret);
    position_ = kSteps;
    stage_ = Stage::Counting;
}

void ClipboardCountdown::forgetSavedText() {
    SavedClipboardText.clear();
}

void ClipboardCountdown::startRound() {
    stage_ = Stage::Retrying;
    triesLeft_ = kTriesPerRound;
}

bool ClipboardCountdown::tick() {
    switch (stage_) {
    case Stage::Counting:
        if (--position_ > 0)
            return false;
        startRound();
        return true;
    case Stage::Retrying:
        return true;
    default:
        return false;
    }
}

bool ClipboardCountdown::windowCalledIn() {
    if (!clipboardBusy())
        return false;
    startRound();
    return true;
}

bool ClipboardCountdown::ending() {
    if (!running())
        return false;
    position_ = 0;
    startRound();
    return true;
}

bool ClipboardCountdown::replaces(const std::optional<std::u16string>& now) const {
    return now && textFingerprint(*now) == secret_;
}

void ClipboardCountdown::putBackDone() {
    stage_ = Stage::Idle;
    position_ = 0;
    secret_ = 0;
    SavedClipboardText.clear();
}

void ClipboardCountdown::putBackFailed() {
    if (stage_ == Stage::Retrying && --triesLeft_ <= 0)
        stage_ = Stage::Resting;
}

} // namespace quivra::crypto
