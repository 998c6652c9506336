#include <gtest/gtest.h>

#include "crypto/password_checks.h"
#include "crypto/password_entry.h"

#include <string>

using namespace quivra::crypto;
using Key = PasswordEntry::Key;

namespace {

// Filler characters taken in turn from the start of the alphabet.
PasswordEntry::Random counting() {
    return [n = std::size_t{0}](std::size_t bound) mutable { return n++ % bound; };
}

void typeText(PasswordEntry& e, std::u16string_view text) {
    for (char16_t c : text)
        EXPECT_EQ(e.onChar(c), Key::Typed);
}

} // namespace

TEST(PasswordEntry, CapturesEveryCodeButBackspaceEnterAndEscape) {
    PasswordEntry e(counting());
    typeText(e, u"пар\x01\x7F\xD800");
    EXPECT_EQ(e.text(), u"пар\x01\x7F\xD800");
    EXPECT_EQ(e.filler(), u"abcdef");
    EXPECT_EQ(e.onChar(13), Key::Enter);
    EXPECT_EQ(e.onChar(27), Key::Escape);
    EXPECT_EQ(e.text().size(), 6u);
    EXPECT_EQ(e.onChar(8), Key::Erased);
    EXPECT_EQ(e.text(), u"пар\x01\x7F");
    EXPECT_EQ(e.filler(), u"abcde");
    for (int i = 0; i < 5; ++i)
        e.onChar(8);
    EXPECT_EQ(e.onChar(8), Key::Unchanged); // Backspace in an empty field
    EXPECT_TRUE(e.text().empty());
    EXPECT_TRUE(e.filler().empty());
}

TEST(PasswordEntry, FillerNeverShowsThePasswordAndComesFromTheAlphabet) {
    PasswordEntry e;                          // the system's random source
    const std::u16string password(300, u'a'); // grows past the first buffer
    typeText(e, password);
    EXPECT_EQ(e.text(), password);
    ASSERT_EQ(e.filler().size(), password.size());
    EXPECT_NE(e.filler(), password);
    for (char16_t c : e.filler())
        EXPECT_NE(kFillerAlphabet.find(c), std::u16string_view::npos);
    EXPECT_EQ(kFillerAlphabet.size(), 75u);

    e.clearFiller(); // the middle-button confirmation keeps the password
    EXPECT_EQ(e.text(), password);
    EXPECT_TRUE(e.filler().empty());
    e.clear();
    EXPECT_TRUE(e.text().empty());
}

TEST(PasswordChecks, OkRefusalsByMode) {
    const auto red = [](PanelLabel l, std::u16string_view t) { return PanelMessage{l, t, true}; };
    EXPECT_EQ(encryptRefusal(u"абв", u"абв"),
              red(PanelLabel::Password, u"Пароль должен быть минимум 4 символа"));
    EXPECT_EQ(encryptRefusal(u"абвг", u"абвд"),
              red(PanelLabel::Confirm, u"Введенные пароли не совпадают."));
    EXPECT_EQ(encryptRefusal(u"абвг", u"абвг"), std::nullopt);
    EXPECT_EQ(decryptRefusal(u"абв"),
              red(PanelLabel::Password, u"Расшифровка: Пароль должен быть минимум 4 символа"));
    EXPECT_EQ(decryptRefusal(u"абвг"), std::nullopt);
    // Code units count, not characters: a surrogate pair is two.
    EXPECT_EQ(decryptRefusal(u"😀😀"), std::nullopt);
}

TEST(PasswordChecks, MiddleButtonBySteps) {
    struct Case {
        int step;
        std::u16string_view password, confirm;
        MiddleAction action;
        std::u16string_view message; // empty: none
        bool red;
    };
    const Case cases[] = {
        {0, u"abc", u"", MiddleAction::Refuse, u"Зашифровка: Пароль должен быть минимум 4 символа",
         true},
        {0, u"abcd", u"", MiddleAction::AskRepeat, u"Зашифровка: Повторите пароль", false},
        {1, u"abcd", u"abce", MiddleAction::Refuse, u"Зашифровка: Введенные пароли не совпадают.",
         true},
        {1, u"abcd", u"abcd", MiddleAction::Encrypt, u"", false},
        {1, u"ab", u"ab", MiddleAction::Refuse, u"Зашифровка: Пароль должен быть минимум 4 символа",
         true},
        {2, u"abc", u"", MiddleAction::Refuse, u"Расшифровка: Пароль должен быть минимум 4 символа",
         true},
        {2, u"abcd", u"", MiddleAction::Decrypt, u"", false},
        {3, u"abcd", u"abcd", MiddleAction::None, u"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        const MiddleOutcome out = middleButton(c.step, c.password, c.confirm);
        EXPECT_EQ(out.action, c.action);
        if (c.message.empty()) {
            EXPECT_FALSE(out.message);
        } else {
            ASSERT_TRUE(out.message);
            EXPECT_EQ(out.message->text, c.message);
            EXPECT_EQ(out.message->red, c.red);
            EXPECT_EQ(out.message->label, PanelLabel::Password);
        }
    }
}
