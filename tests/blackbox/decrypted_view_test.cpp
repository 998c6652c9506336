// A decrypted note under every way the user leaves it, with both ciphers:
// after each, no file under Data holds its decrypted text or a word typed
// into it, and the typed word comes back with the next decryption.
#include "program_test.h"

#include "base/text_services.h"
#include "crypto/cipher.h"
#include "crypto/crypto_ids.h"
#include "crypto/key_derivation.h"
#include "crypto/strong_token.h"
#include "notes/notes_ids.h"
#include "window/presenter_win.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {

constexpr const wchar_t* kPassword = L"correct horse";

// The RTF of a line of cipher text: every code unit as \uN?.
std::string cipherRtf(const std::u16string& cipher) {
    std::string rtf;
    for (char16_t u : cipher)
        rtf += "\\u" + std::to_string(static_cast<short>(u)) + "?";
    return rtf;
}

enum class Cipher { Compatible, Strong };

// Note A: "tigerlily secret", a comment line, "pin 4321", the first and the
// last encrypted each on its own; note B plain. Double clicks call the
// window in and send it away (single clicks on the line and the tray do
// nothing), the hotkey is on.
class DecryptedNote : public ProgramTest, public ::testing::WithParamInterface<Cipher> {
  protected:
    void SetUp() override {
        const auto encrypt = [&](const std::u16string& plain) {
            if (GetParam() == Cipher::Strong) {
                crypto::StrongKeys keys(u"correct horse");
                return crypto::encryptStrongText(keys, plain);
            }
            const crypto::KeySet keys =
                crypto::DeriveKeySet(u"correct horse", base::textServices());
            std::u16string line = plain;
            std::u16string cipher = crypto::EncryptText(line, keys);
            EXPECT_EQ(cipher.find_first_of(std::u16string(u"\0\n\r", 3)), std::u16string::npos);
            return cipher;
        };
        original = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 " +
                   cipherRtf(encrypt(u"tigerlily secret")) + "\\par ##[ open words ]##\\par " +
                   cipherRtf(encrypt(u"pin 4321")) + "\\par}";
        start({{{L"A", original}, {L"B", tahomaRtf("bee")}},
               {{u"CurrentNoteName", u"A"}, {u"EnableHotkey", u"1"}, {u"DoubleClick", u"1"}},
               {}});
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(waitForSlidOut(window));
        callInByHotkey();
    }

    HWND editor() const { return findChild(window, L"RichEdit20W"); }
    std::wstring line(int index) const {
        std::wstring text = windowText(editor());
        std::erase(text, L'\n');
        std::size_t start = 0;
        for (int i = 0; i < index && start != std::wstring::npos; ++i) {
            start = text.find(L'\r', start);
            if (start != std::wstring::npos)
                ++start;
        }
        if (start == std::wstring::npos)
            return {};
        return text.substr(start, text.find(L'\r', start) - start);
    }
    void callInByHotkey() {
        pressKeys(window, {VK_LWIN, 'N'});
        ASSERT_TRUE(waitForLeft(window, 0)) << "Win+N did not call the window in";
        settle(window);
    }
    void callInByTray() {
        PostMessageW(window, window::WM_QUIVRA_TRAY, 0, WM_LBUTTONDBLCLK);
        ASSERT_TRUE(waitForLeft(window, 0)) << "the tray did not call the window in";
        settle(window);
    }
    HWND passwordField() const {
        for (HWND f : findChildren(window, L"Edit", ES_PASSWORD))
            if (IsWindowVisible(f))
                return f;
        return nullptr;
    }
    // The password panel for the selection [start, end) (none: the note).
    HWND openPanel(long start = 0, long end = 0) {
        clickWithMouse(window, editor());
        SendMessageW(editor(), EM_SETSEL, start, end);
        pressKeys(window, {VK_MENU, 'D'});
        return passwordField();
    }
    void decryptNote() {
        HWND field = openPanel();
        ASSERT_NE(field, nullptr) << "Alt+D opened no panel";
        typeInto(field, std::wstring(kPassword) + L"\r");
        ASSERT_EQ(line(0).substr(0, 16), L"tigerlily secret") << "not decrypted";
    }
    // A word typed with the real keyboard at the end of the first line.
    void typeAtEndOfFirstLine(std::string_view word) {
        const auto end = static_cast<long>(line(0).size());
        SendMessageW(editor(), EM_SETSEL, end, end);
        pressKeys(window, {VK_SPACE});
        typeLetters(window, word);
        const std::wstring typed = L" " + std::wstring(word.begin(), word.end());
        const std::wstring first = line(0);
        ASSERT_TRUE(first.size() > typed.size() &&
                    first.compare(first.size() - typed.size(), typed.size(), typed) == 0)
            << "typing went elsewhere";
    }
    // No file under Data holds a decrypted word or one typed into the view.
    void expectNothingPlainOnDisk(const std::vector<std::string>& typed, const char* after) {
        std::vector<std::string> secrets = typed;
        secrets.insert(secrets.end(), {"tigerlily", "4321"});
        for (const auto& entry : fs::recursive_directory_iterator(dir / L"Data")) {
            if (!entry.is_regular_file())
                continue;
            const std::string bytes = readBytes(entry.path());
            for (const auto& secret : secrets)
                EXPECT_EQ(bytes.find(secret), std::string::npos)
                    << after << ": " << entry.path().string() << " holds " << secret;
        }
    }
    std::string original; // note A's file as the test wrote it
    // The note decrypted again shows the word typed into the earlier view.
    void expectWordBackAfterDecryption(std::string_view word) {
        decryptNote();
        EXPECT_NE(line(0).find(std::wstring(word.begin(), word.end())), std::wstring::npos)
            << "the word typed was dropped";
        pressKeys(window, {VK_MENU, 'R'});
        EXPECT_NE(line(0).substr(0, 9), L"tigerlily");
    }
};

std::string cipherName(const ::testing::TestParamInfo<Cipher>& info) {
    return info.param == Cipher::Strong ? "Strong" : "Compatible";
}

} // namespace

// The hides that keep the view (Esc, a double click on the tray icon or on
// the edge line) write the cipher; the hotkey returns it before it hides.
TEST_P(DecryptedNote, EveryHideWritesTheCipherAndKeepsWhatWasTyped) {
    const struct {
        const char* path;
        const char* word;
        std::function<void()> hide;
        bool viewStays;
    } paths[] = {
        {"Esc", "escword", [&] { pressKeys(window, {VK_ESCAPE}); }, true},
        {"tray", "trayword",
         [&] { PostMessageW(window, window::WM_QUIVRA_TRAY, 0, WM_LBUTTONDBLCLK); }, true},
        {"edge line", "edgeword",
         [&] {
             const RECT r = screenRect(window);
             mouseClick({r.left + 1, (r.top + r.bottom) / 2}, 2);
         },
         true},
        {"Win+N", "hotkeyword",
         [&] {
             pressKeys(window, {VK_LWIN, 'N'});
         },
         false},
    };
    std::vector<std::string> typed;
    for (const auto& p : paths) {
        SCOPED_TRACE(p.path);
        decryptNote();
        typeAtEndOfFirstLine(p.word);
        typed.push_back(p.word);
        p.hide();
        ASSERT_TRUE(waitForSlidOut(window)) << "the window did not hide";
        expectNothingPlainOnDisk(typed, p.path);
        if (p.viewStays) {
            callInByTray();
            EXPECT_EQ(line(0).substr(0, 9), L"tigerlily") << "the view went";
            pressKeys(window, {VK_MENU, 'R'});
        } else {
            callInByHotkey();
        }
        expectWordBackAfterDecryption(p.word);
    }
}

// The decryptions that leave no "Вернуть шифр" behind (the middle button's
// confirmation), a clipboard decryption after one in place, a change of the
// note's file by another program, a switch and quit: none writes the
// decrypted text.
TEST_P(DecryptedNote, NoOtherWayWritesTheDecryptedText) {
    // The middle button on the password field decrypts as Ok does; a click
    // on the list then takes the focus from the editor.
    HWND field = openPanel();
    ASSERT_NE(field, nullptr);
    typeInto(field, kPassword);
    const RECT f = screenRect(field);
    mouse(MOUSEEVENTF_MOVE, {f.left + 5, f.top + 5});
    mouse(MOUSEEVENTF_MIDDLEDOWN);
    mouse(MOUSEEVENTF_MIDDLEUP);
    // The window answers while the strong cipher's key is derived.
    ASSERT_TRUE(waitFor([&] { return line(0) == L"tigerlily secret"; }, 5000)) << line(0);
    typeAtEndOfFirstLine("middleword");
    clickWithMouse(window, findChild(window, L"ListBox"));
    expectNothingPlainOnDisk({"middleword"}, "focus loss after the middle button");
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 700, 100, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(waitForSlidOut(window));
    DestroyWindow(other);
    expectNothingPlainOnDisk({"middleword"}, "auto-hide after the middle button");
    callInByHotkey();
    expectWordBackAfterDecryption("middleword");

    // The first line decrypted in place, then the last into the clipboard:
    // its countdown window takes the activation and the window hides.
    const auto firstEnd = static_cast<long>(line(0).size());
    field = openPanel(0, firstEnd);
    ASSERT_NE(field, nullptr);
    typeInto(field, std::wstring(kPassword) + L"\r");
    ASSERT_EQ(line(0).substr(0, 9), L"tigerlily");
    const long lastStart = static_cast<long>(line(0).size() + line(1).size() + 2);
    SendMessageW(editor(), EM_SETSEL, lastStart, lastStart + static_cast<long>(line(2).size()));
    pressKeys(window, {VK_MENU, 'V'});
    field = passwordField();
    ASSERT_NE(field, nullptr) << "Alt+V opened no panel";
    typeInto(field, std::wstring(kPassword) + L"\r");
    waitForSlidOut(window, 3000);
    expectNothingPlainOnDisk({}, "clipboard decryption after one in place");
    if (screenRect(window).left < 0)
        callInByHotkey();
    EXPECT_NE(line(0).substr(0, 9), L"tigerlily") << "the cipher did not come back";

    // Another program rewrites the note while the view shows a typed word:
    // the program's text of the note is kept as a conflict copy, encrypted.
    decryptNote();
    typeAtEndOfFirstLine("outsideword");
    writeBytes(note(L"A"), tahomaRtf("rewritten elsewhere"));
    pressKeys(window, {VK_LWIN, 'N'});
    waitForSlidOut(window, 5000);
    if (HWND shown = program->messageBox(2000))
        PostMessageW(shown, WM_COMMAND, IDOK, 0);
    settle(window);
    expectNothingPlainOnDisk({"outsideword"}, "a change outside");

    // The session ends while a view shows a typed word; the note's file is
    // the cipher again, which the program reads.
    if (screenRect(window).left < 0)
        callInByHotkey();
    writeBytes(note(L"A"), original);
    ASSERT_TRUE(waitFor([&] { return line(0) != L"rewritten elsewhere"; }, 5000));
    decryptNote();
    typeAtEndOfFirstLine("sessionword");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000,
                        &answer);
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer);
    expectNothingPlainOnDisk({"sessionword"}, "end of session");
}

// Ctrl+S on a view asks whether its text stays plain: "Нет" writes the
// cipher, "Да" the plain text the user chose. A switch to another note and
// quit write the cipher with the typed word encrypted.
TEST_P(DecryptedNote, SaveAsksAndSwitchAndQuitWriteTheCipher) {
    decryptNote();
    typeAtEndOfFirstLine("saveword");
    const auto saveAnswering = [&](int button) {
        SetForegroundWindow(window);
        std::vector<INPUT> keys(4);
        for (INPUT& k : keys)
            k.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
        keys[1].ki.wVk = keys[2].ki.wVk = 'S';
        keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, keys.data(), sizeof(INPUT));
        HWND box = program->messageBox(5000);
        ASSERT_NE(box, nullptr) << "Ctrl+S asked nothing";
        EXPECT_EQ(messageBoxText(box), L"Сохранить расшифрованный текст открытым?");
        PostMessageW(box, WM_COMMAND, button, 0);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }));
        settle(window);
    };
    saveAnswering(IDNO);
    expectNothingPlainOnDisk({"saveword"}, "Ctrl+S, no");
    EXPECT_EQ(line(0).substr(0, 9), L"tigerlily") << "the view went";
    saveAnswering(IDYES);
    EXPECT_NE(readBytes(note(L"A")).find("saveword"), std::string::npos) << "not written plain";
    // Encrypted again for what follows.
    writeBytes(note(L"A"), original);
    ASSERT_TRUE(waitFor([&] { return line(0).substr(0, 9) != L"tigerlily"; }, 5000));

    decryptNote();
    typeAtEndOfFirstLine("switchword");
    HWND names = findChildById(window, notes::ID_NOTESNAMESLIST);
    ASSERT_NE(names, nullptr);
    const RECT r = screenRect(names);
    mouseClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    settle(window);
    pressKeys(window, {VK_DOWN}); // moving along the list opens the note
    ASSERT_EQ(windowText(editor()), L"bee");
    expectNothingPlainOnDisk({"switchword"}, "switch");
    mouseClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    settle(window);
    pressKeys(window, {VK_UP});
    expectWordBackAfterDecryption("switchword");

    decryptNote();
    typeAtEndOfFirstLine("quitword");
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->waitForExit(15000));
    window = nullptr;
    expectNothingPlainOnDisk({"switchword", "quitword"}, "quit");
}

INSTANTIATE_TEST_SUITE_P(BothCiphers, DecryptedNote,
                         ::testing::Values(Cipher::Compatible, Cipher::Strong), cipherName);
