// The password panel: what it shows, what it refuses and in which colour,
// and that its fields never hold the password.
#include "crypto_fixture.h"

#include "crypto/password_entry.h"
#include "win/controls_win.h"

using namespace quivra;
using namespace quivra::test;
using crypto::PanelLabel;

namespace {

class PasswordPanelTest : public CryptoFixture {
  protected:
    // The colour the panel gives a label's text when it is drawn.
    COLORREF textColour(int labelId) {
        HWND label = field(labelId);
        HDC dc = GetDC(label);
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageW(panel().hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(label));
        const COLORREF c = GetTextColor(dc);
        ReleaseDC(label, dc);
        return c;
    }
    std::wstring text(int id) { return win::windowText(field(id)); }
    bool visible(int id) { return (GetWindowLongW(field(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    int height() {
        RECT r;
        GetWindowRect(panel().hwnd(), &r);
        return r.bottom - r.top;
    }
    static constexpr COLORREF kRed = RGB(255, 0, 0);
};

} // namespace

TEST_F(PasswordPanelTest, ThreeCharactersAreRefusedInRedAndFourAcceptedInBothModes) {
    setText(u"тайна");
    select(0, 5);

    clickMenu(crypto::EnCr);
    ASSERT_TRUE(panel().shown());
    EXPECT_EQ(height(), 159);
    EXPECT_EQ(text(crypto::ID_ECCAP), L"Зашифровка");
    EXPECT_FALSE(visible(crypto::ID_ECINBUFFER));
    typeInto(crypto::ID_ECEDIT, u"абв");
    typeInto(crypto::ID_ECCONFIRMEDIT, u"абв");
    clickOk();
    EXPECT_EQ(text(crypto::ID_ECLABEL), L"Пароль должен быть минимум 4 символа");
    EXPECT_EQ(textColour(crypto::ID_ECLABEL), kRed);
    EXPECT_EQ(editorText(), u"тайна");
    // Typing puts the prompt back in the normal colour.
    typeInto(crypto::ID_ECEDIT, u"г");
    EXPECT_EQ(text(crypto::ID_ECLABEL), L"Пароль:");
    EXPECT_EQ(textColour(crypto::ID_ECLABEL), GetSysColor(COLOR_WINDOWTEXT));
    clickOk(); // the repeat still has three
    EXPECT_EQ(text(crypto::ID_ECCONFIRMLABEL), L"Введенные пароли не совпадают.");
    EXPECT_EQ(textColour(crypto::ID_ECCONFIRMLABEL), kRed);
    EXPECT_EQ(GetFocus(), field(crypto::ID_ECCONFIRMEDIT));
    typeInto(crypto::ID_ECCONFIRMEDIT, u"г");
    EXPECT_EQ(text(crypto::ID_ECCONFIRMLABEL), L"Повтор пароля:");
    clickOk();
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(editorText(), crypto::EncryptText(u"тайна", keysOf(u"абвг")));

    select(0, 5);
    clickMenu(crypto::DeCr);
    EXPECT_EQ(height(), 112);
    EXPECT_EQ(text(crypto::ID_ECCAP), L"Расшифровка");
    EXPECT_FALSE(visible(crypto::ID_ECCONFIRMEDIT));
    EXPECT_TRUE(visible(crypto::ID_ECINBUFFER));
    EXPECT_FALSE(win::isChecked(field(crypto::ID_ECINBUFFER)));
    EXPECT_TRUE(IsWindowEnabled(field(crypto::ID_ECINBUFFER)));
    typeInto(crypto::ID_ECEDIT, u"абв");
    clickOk();
    EXPECT_EQ(text(crypto::ID_ECLABEL), L"Расшифровка: Пароль должен быть минимум 4 символа");
    EXPECT_EQ(textColour(crypto::ID_ECLABEL), kRed);
    typeInto(crypto::ID_ECEDIT, u"г");
    clickOk();
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(editorText(), u"тайна");
}

TEST_F(PasswordPanelTest, FieldsShowFillerAndTheKeysDoWhatTheyShould) {
    setText(u"текст");
    clickMenu(crypto::EnCr);
    HWND pw = field(crypto::ID_ECEDIT);
    EXPECT_EQ(SendMessageW(pw, EM_GETPASSWORDCHAR, 0, 0), L'*');
    SendMessageW(pw, WM_CHAR, 8, 1); // Backspace in an empty field
    EXPECT_EQ(text(crypto::ID_ECEDIT), L"");
    typeInto(crypto::ID_ECEDIT, u"secret\x01");
    const std::wstring shown = text(crypto::ID_ECEDIT);
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_NE(shown.substr(0, 6), L"secret");
    for (wchar_t c : shown)
        EXPECT_NE(crypto::kFillerAlphabet.find(static_cast<char16_t>(c)),
                  std::u16string_view::npos);
    EXPECT_EQ(panel().passwordText(), u"secret\x01");
    SendMessageW(pw, WM_CHAR, 8, 1);
    EXPECT_EQ(text(crypto::ID_ECEDIT), shown.substr(0, 6));
    EXPECT_EQ(panel().passwordText(), u"secret");

    // Enter moves to the empty repeat field, then runs Ok.
    SendMessageW(pw, WM_CHAR, 13, 1);
    EXPECT_EQ(GetFocus(), field(crypto::ID_ECCONFIRMEDIT));
    EXPECT_TRUE(panel().shown());
    typeInto(crypto::ID_ECCONFIRMEDIT, u"secret");
    SendMessageW(pw, WM_CHAR, 13, 1);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(lines()[0], crypto::EncryptText(u"текст", keysOf(u"secret")));
    // Closing wiped what was typed.
    EXPECT_TRUE(panel().passwordText().empty());
    EXPECT_TRUE(panel().confirmText().empty());

    // Esc cancels: the editor gets the focus and the panel closes.
    clickMenu(crypto::DeCr);
    typeInto(crypto::ID_ECEDIT, u"abcd");
    SendMessageW(field(crypto::ID_ECEDIT), WM_CHAR, 27, 1);
    EXPECT_FALSE(panel().shown());
    EXPECT_TRUE(note().focused());
    EXPECT_TRUE(panel().passwordText().empty());
}

TEST_F(PasswordPanelTest, OpensAtItsPlaceForEachUse) {
    setText(u"abc");
    select(0, 3);
    RECT editor;
    GetClientRect(note().hwnd(), &editor);
    const auto place = [&] { return panel().window().place(); };
    clickMenu(crypto::EnCr);
    EXPECT_EQ(place(),
              (window::Point{editor.right / 2 - 353 / 2, editor.bottom / 2 - 159 / 2 + 20}));
    clickMenu(crypto::DeCr);
    EXPECT_EQ(place(),
              (window::Point{editor.right / 2 - 353 / 2, editor.bottom / 2 - 112 / 2 + 20}));
    clickMenu(crypto::DeCrBuf);
    EXPECT_EQ(place(), (window::Point{editor.right / 2 - 353 / 2, editor.bottom / 2 - 112 / 2}));
    EXPECT_TRUE(win::isChecked(field(crypto::ID_ECINBUFFER)));
    folder.settings().writeString(u"Coords", u"EDPanel_x", u"7");
    clickMenu(crypto::EnCr);
    EXPECT_EQ(place().x, 7);
}

TEST_F(PasswordPanelTest, MiddleButtonConfirmsWithoutChangingTheDecryptState) {
    setText(u"строка");
    const auto middle = [&] {
        SendMessageW(field(crypto::ID_ECEDIT), WM_MBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    clickMenu(crypto::EnCr);
    typeInto(crypto::ID_ECEDIT, u"abc");
    middle();
    EXPECT_EQ(text(crypto::ID_ECLABEL), L"Зашифровка: Пароль должен быть минимум 4 символа");
    EXPECT_EQ(textColour(crypto::ID_ECLABEL), kRed);
    typeInto(crypto::ID_ECEDIT, u"d");
    middle();
    EXPECT_EQ(text(crypto::ID_ECLABEL), L"Зашифровка: Повторите пароль");
    EXPECT_EQ(textColour(crypto::ID_ECLABEL), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(text(crypto::ID_ECEDIT), L"");
    typeInto(crypto::ID_ECCONFIRMEDIT, u"abce");
    middle();
    EXPECT_EQ(text(crypto::ID_ECLABEL), L"Зашифровка: Введенные пароли не совпадают.");
    SendMessageW(field(crypto::ID_ECCONFIRMEDIT), WM_CHAR, 8, 1);
    typeInto(crypto::ID_ECCONFIRMEDIT, u"d");
    middle();
    EXPECT_FALSE(panel().shown());
    const std::u16string cipher = crypto::EncryptText(u"строка", keysOf(u"abcd"));
    EXPECT_EQ(lines()[0], cipher);

    // Step 2 decrypts the whole note but leaves the decrypt state and the
    // modified flag alone.
    note().setModified(true);
    clickMenu(crypto::DeCr);
    typeInto(crypto::ID_ECEDIT, u"abcd");
    middle();
    EXPECT_EQ(lines()[0], u"строка");
    EXPECT_EQ(form->state().decryptState, 0);
    EXPECT_TRUE(note().modified());
    EXPECT_EQ(decryptCaption(), L"Расшифровать\tAlt+D");
}
