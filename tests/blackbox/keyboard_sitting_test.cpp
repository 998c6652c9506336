// A whole sitting with the keyboard alone, through the system's input: a
// note added and written, a word made bold, a line encrypted and decrypted,
// a search, a switch of notes, an option changed on the settings page, the
// window hidden and called in. The hotkey is posted: Wine hands Win+N to the
// program only from the X server's own keyboard.
#include "called_in_program.h"

#include "settings/settings_ids.h"

#include <commctrl.h>

namespace quivra::blackbox {

namespace {

class KeyboardSitting : public CalledInProgram {
  protected:
    std::wstring line(int index) const {
        std::wstring text = windowText(editor);
        std::erase(text, L'\n');
        size_t start = 0;
        for (int i = 0; i < index; ++i)
            start = text.find(L'\r', start) + 1;
        return text.substr(start, text.find(L'\r', start) - start);
    }
    void keys(std::initializer_list<WORD> pressed) const { pressKeys(window, pressed); }
    void type(std::string_view letters) const { typeLetters(window, letters); }
    bool focusIs(HWND control) const {
        return waitFor([&] { return focusedIn(window) == control; }, 3000);
    }
};

} // namespace

TEST_F(KeyboardSitting, EveryStepOfASittingHasItsKeys) {
    focusControl(window, editor);

    // A new note, named in the name panel.
    keys({VK_MENU, 'I'});
    type("diary");
    keys({VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return shownNote() == L"diary"; }, 3000));
    ASSERT_TRUE(focusIs(editor));
    type("dear diary");
    keys({VK_RETURN});
    type("pin 1234");
    EXPECT_EQ(line(0), L"dear diary");

    // The first word bold.
    keys({VK_CONTROL, VK_HOME});
    keys({VK_CONTROL, VK_SHIFT, VK_RIGHT});
    keys({VK_CONTROL, 'B'});

    // The second line encrypted and decrypted in the password panel.
    keys({VK_DOWN});
    keys({VK_HOME});
    keys({VK_SHIFT, VK_END});
    keys({VK_MENU, 'C'});
    type("pass");
    keys({VK_RETURN}); // to the repeat field
    type("pass");
    keys({VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return line(1) != L"pin 1234"; }, 10000));
    ASSERT_TRUE(focusIs(editor));
    keys({VK_MENU, 'D'}); // the cipher is still selected
    type("pass");
    keys({VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return line(1) == L"pin 1234"; }, 10000));

    // A search from the editor and back.
    keys({VK_CONTROL, 'F'});
    type("dear");
    DWORD start = 0, end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 4u);
    keys({VK_ESCAPE});
    ASSERT_TRUE(focusIs(editor));

    // Another note and back.
    keys({VK_MENU, VK_UP});
    EXPECT_TRUE(waitFor([&] { return shownNote() == L"C"; }, 3000));
    keys({VK_MENU, VK_DOWN});
    EXPECT_TRUE(waitFor([&] { return shownNote() == L"diary"; }, 3000));

    // The settings page: Tab to the tray icon's box, Space ticks it off.
    keys({VK_CONTROL, VK_TAB});
    HWND tray = findChildById(window, settings::ID_ISTRAYICON);
    ASSERT_NE(tray, nullptr);
    for (int i = 0; i < 20 && focusedIn(window) != tray; ++i)
        keys({VK_TAB});
    ASSERT_EQ(focusedIn(window), tray);
    const bool ticked = SendMessageW(tray, BM_GETCHECK, 0, 0) == BST_CHECKED;
    keys({VK_SPACE});
    EXPECT_TRUE(waitFor([&] {
        return base::IniFile(settingsFile(dir)).readString(u"Options", u"TrayIcon", u"") ==
               (ticked ? u"0" : u"1");
    }));

    // Back to the notes (Ctrl+Shift+Tab), Esc hides, the hotkey calls in.
    keys({VK_CONTROL, VK_SHIFT, VK_TAB});
    ASSERT_TRUE(focusIs(editor));
    keys({VK_ESCAPE});
    ASSERT_TRUE(waitForSlidOut(window));
    ASSERT_TRUE(postHotkey(window));
    ASSERT_TRUE(waitForLeft(window, 0));

    // What was written: the bold word, the line as cipher.
    const std::string saved = readBytes(note(L"diary"));
    EXPECT_NE(saved.find("\\b0"), std::string::npos) << saved; // bold ends after the word
    EXPECT_NE(saved.find("diary"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("pin 1234"), std::string::npos) << saved;
}

} // namespace quivra::blackbox
