#include "crypto/clipboard_countdown.h"

#include <utility>

namespace quivra::crypto {

void ClipboardCountdown::forgetSavedText() {
    saved_.clear();
}

void ClipboardCountdown::start(std::optional<std::u16string> clipboardText) {
    saved_ = clipboardText ? std::move(*clipboardText) : std::u16string();
    position_ = kSteps;
}

std::optional<std::u16string> ClipboardCountdown::tick() {
    if (position_ <= 0)
        return std::nullopt;
    if (--position_ > 0)
        return std::nullopt;
    return std::exchange(saved_, {});
}

std::optional<std::u16string> ClipboardCountdown::stop() {
    if (position_ <= 0)
        return std::nullopt;
    position_ = 0;
    return std::exchange(saved_, {});
}

} // namespace quivra::crypto
