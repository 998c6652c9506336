// One password field of the password panel. What the user types is kept only
// here; the field shows a random filler character for every typed code unit,
// so its visible text never holds the password. The typed text is wiped when
// it is cleared, when it grows (the old buffer) and when the entry goes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quivra::crypto {

inline constexpr std::u16string_view kFillerAlphabet =
    u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890!@#$%^&*()-+=";

class PasswordEntry {
  public:
    // A uniformly chosen number below `bound`; the default draws from the
    // system's random source.
    using Random = std::function<std::size_t(std::size_t bound)>;
    explicit PasswordEntry(Random random = {});
    ~PasswordEntry();
    PasswordEntry(const PasswordEntry&) = delete;
    PasswordEntry& operator=(const PasswordEntry&) = delete;

    // What a typed character did.
    enum class Key {
        Typed,     // appended; the filler grew by one
        Erased,    // Backspace removed the last code unit and filler character
        Unchanged, // Backspace with nothing typed
        Enter,     // 13: nothing captured
        Escape,    // 27: nothing captured
    };
    // Every other code, control codes such as Ctrl+letter included, is
    // captured.
    Key onChar(char16_t code);

    const std::u16string& text() const noexcept { return text_; }
    const std::u16string& filler() const noexcept { return filler_; }
    // Wipes the typed text and empties the field.
    void clear() noexcept;
    // Empties the field but keeps what was typed.
    void clearFiller() noexcept { filler_.clear(); }

  private:
    void append(char16_t unit);
    std::u16string text_;
    std::u16string filler_;
    Random random_;
};

} // namespace quivra::crypto
