#include "crypto/password_entry.h"

#include "crypto/secure_wipe.h"

#include <random>

namespace quivra::crypto {

namespace {

constexpr std::size_t kInitialCapacity = 64;

PasswordEntry::Random systemRandom() {
    return [engine = std::mt19937(std::random_device{}())](std::size_t bound) mutable {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine);
    };
}

} // namespace

PasswordEntry::PasswordEntry(Random random) : random_(random ? std::move(random) : systemRandom()) {
    text_.reserve(kInitialCapacity);
}

PasswordEntry::~PasswordEntry() {
    clear();
}

PasswordEntry::Key PasswordEntry::onChar(char16_t code) {
    switch (code) {
    case 8:
        if (text_.empty())
            return Key::Unchanged;
        text_.back() = 0;
        text_.pop_back();
        if (!filler_.empty())
            filler_.pop_back();
        return Key::Erased;
    case 13:
        return Key::Enter;
    case 27:
        return Key::Escape;
    default:
        append(code);
        filler_.push_back(kFillerAlphabet[random_(kFillerAlphabet.size())]);
        return Key::Typed;
    }
}

void PasswordEntry::append(char16_t unit) {
    if (text_.size() == text_.capacity()) {
        // Growing in place would leave the old buffer unwiped in freed memory.
        std::u16string bigger;
        bigger.reserve(text_.capacity() * 2);
        bigger = text_;
        secureWipe(text_);
        text_.swap(bigger);
    }
    text_.push_back(unit);
}

void PasswordEntry::clear() noexcept {
    secureWipe(text_);
    text_.clear();
    filler_.clear();
}

} // namespace quivra::crypto
