// The real program encrypts a whole note with a password typed into its
// panel; the note's file holds the cipher text from then on, also while the
// program shows the note decrypted, and after it quits.
#include "program_test.h"

#include "base/ini_file.h"
#include "base/text_services.h"
#include "crypto/cipher.h"
#include "crypto/key_derivation.h"
#include "document/text_lines.h"
#include "win/wide_win.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {

constexpr const char* kNote = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 login: admin\\par "
                              "##[ plain words ]##\\par pin 4321\\par}";

class RunningNote {
  public:
    explicit RunningNote(const fs::path& dir) : program(dir / L"quivra.exe") {
        window = program.mainWindow(15000);
        if (window)
            editor = findChild(window, L"RichEdit20W");
    }
    // The editor's lines, paragraph breaks as the control reports them.
    std::vector<std::u16string> lines() const {
        std::wstring text = windowText(editor);
        std::u16string u;
        for (wchar_t c : text)
            if (c != L'\n')
                u.push_back(static_cast<char16_t>(c));
        return document::splitLines(u);
    }
    // The password fields of the panel, the password's first.
    std::vector<HWND> passwordFields() const {
        std::vector<HWND> shown;
        for (HWND f : findChildren(window, L"Edit", ES_PASSWORD))
            if (IsWindowVisible(f))
                shown.push_back(f);
        return shown;
    }
    // The password panel opened by Alt+`key` with the caret at the note's
    // start: its visible fields.
    std::vector<HWND> openPanel(WORD key) const {
        clickInto(editor);
        SendMessageW(editor, EM_SETSEL, 0, 0);
        pressKeys(window, {VK_MENU, key});
        return passwordFields();
    }
    bool quit() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return program.waitForExit(15000);
    }

    RunningProgram program;
    HWND window = nullptr;
    HWND editor = nullptr;
};

} // namespace

TEST(ProgramEncryption, WholeNoteIsEncryptedAndTheFileNeverHoldsThePlainText) {
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    fs::create_directories(notesFolder(dir));
    base::IniFile(settingsFile(dir)).writeString(u"Options", u"CurrentNoteName", u"Secrets");
    const fs::path file = notesFolder(dir) / L"Secrets.note";
    writeBytes(file, kNote);
    const crypto::KeySet keys = crypto::DeriveKeySet(u"correct horse", base::textServices());
    const std::vector<std::u16string> cipher{crypto::EncryptText(u"login: admin", keys),
                                             u"##[ plain words ]##",
                                             crypto::EncryptText(u"pin 4321", keys)};
    {
        RunningNote run(dir);
        ASSERT_NE(run.window, nullptr);
        ASSERT_NE(run.editor, nullptr);
        auto fields = run.openPanel('C');
        ASSERT_EQ(fields.size(), 2u) << "Alt+C did not open the password panel";
        typeInto(fields[0], L"correct horse");
        pressKeys(run.window, {VK_RETURN}); // moves to the repeat field
        EXPECT_EQ(focusedIn(run.window), fields[1]);
        // Another program cannot read what the fields show.
        EXPECT_EQ(GetWindowTextLengthW(fields[0]), 0);
        typeInto(fields[1], L"correct horse");
        pressKeys(run.window, {VK_RETURN}); // runs Ok
        EXPECT_TRUE(run.passwordFields().empty());
        EXPECT_EQ(run.lines(), cipher);
        ASSERT_TRUE(run.quit());
    }
    const std::string saved = readBytes(file);
    EXPECT_EQ(saved.find("admin"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("4321"), std::string::npos);
    EXPECT_NE(saved.find("plain words"), std::string::npos); // the comment stays plain

    {
        RunningNote run(dir);
        ASSERT_NE(run.window, nullptr);
        EXPECT_EQ(run.lines(), cipher);
        auto fields = run.openPanel('D');
        ASSERT_EQ(fields.size(), 1u) << "Alt+D did not open the password panel";
        typeInto(fields[0], L"correct horse\r");
        EXPECT_EQ(run.lines(), (std::vector<std::u16string>{u"login: admin", u"##[ plain words ]##",
                                                            u"pin 4321"}));
        typeInto(run.editor, L"typed ");
        EXPECT_EQ(readBytes(file), saved); // shown decrypted, kept encrypted
        ASSERT_TRUE(run.quit());
    }
    // Quitting put the cipher back before it saved the note.
    const std::string after = readBytes(file);
    EXPECT_EQ(after.find("admin"), std::string::npos) << after;
    EXPECT_EQ(after.find("typed"), std::string::npos);
}

namespace {

// The panel's message, read from outside: the visible label whose text
// starts so.
bool panelSays(HWND window, std::wstring_view start) {
    return findChildWhere(window, [&](HWND w) {
               return hasClass(w, L"Static") && IsWindowVisible(w) &&
                      windowText(w).rfind(start, 0) == 0;
           }) != nullptr;
}

bool isToken(const std::u16string& line) {
    return line.rfind(u"QV1:", 0) == 0 && line.find(u' ') == std::u16string::npos;
}

} // namespace

TEST(ProgramEncryption, StrongCipherKeepsTheFileSecretAndOnlyTheRightPasswordOpensIt) {
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    fs::create_directories(notesFolder(dir));
    {
        base::IniFile ini(settingsFile(dir));
        ini.writeString(u"Options", u"CurrentNoteName", u"Secrets");
        ini.writeString(u"Options", u"StrongCipher", u"1");
        ini.writeString(u"Options", u"EnableHotkey", u"1");
    }
    const fs::path file = notesFolder(dir) / L"Secrets.note";
    writeBytes(file, kNote);
    {
        RunningNote run(dir);
        ASSERT_NE(run.editor, nullptr);
        auto fields = run.openPanel('C');
        ASSERT_EQ(fields.size(), 2u) << "Alt+C did not open the password panel";
        typeInto(fields[0], L"correct horse\r");
        typeInto(fields[1], L"correct horse\r");
        const auto lines = run.lines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_TRUE(isToken(lines[0])) << "no token: the key derivation may still run";
        EXPECT_EQ(lines[1], u"##[ plain words ]##");
        EXPECT_TRUE(isToken(lines[2]));
        ASSERT_TRUE(run.quit());
    }
    const std::string saved = readBytes(file);
    EXPECT_EQ(saved.find("admin"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("4321"), std::string::npos);
    {
        RunningNote run(dir);
        ASSERT_NE(run.editor, nullptr);
        const auto tokens = run.lines();
        clickInto(run.editor);
        pressKeys(run.window, {VK_MENU, 'D'});
        ASSERT_EQ(run.passwordFields().size(), 1u);
        typeInto(run.passwordFields()[0], L"wrong horse\r");
        EXPECT_EQ(run.lines(), tokens);
        EXPECT_TRUE(panelSays(run.window, L"Неверный пароль или повреждённый шифр: строки 1, 3"));

        clickInto(run.editor); // the panel closes as the editor takes the focus
        pressKeys(run.window, {VK_MENU, 'D'});
        ASSERT_EQ(run.passwordFields().size(), 1u);
        typeInto(run.passwordFields()[0], L"correct horse\r");
        EXPECT_EQ(run.lines(), (std::vector<std::u16string>{u"login: admin", u"##[ plain words ]##",
                                                            u"pin 4321"}));

        // The hotkey puts the cipher back and the decrypt command decrypts
        // again: Alt+D opens the panel, and the note shows no change.
        const ATOM atom = GlobalFindAtomW(L"quivra_hotkey_sh");
        ASSERT_NE(atom, 0);
        RECT shown;
        GetWindowRect(run.window, &shown);
        PostMessageW(run.window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
        settle(run.window);
        EXPECT_EQ(run.lines(), tokens);
        PostMessageW(run.window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
        // Back at its shown place once the slide has run.
        for (int i = 0; i < 250; ++i) {
            settle(run.window);
            RECT now;
            GetWindowRect(run.window, &now);
            if (now.left == shown.left)
                break;
            Sleep(20);
        }
        HWND mark = findChildWhere(
            run.window, [](HWND w) { return hasClass(w, L"Static") && windowText(w) == L"*"; });
        EXPECT_TRUE(mark == nullptr || !IsWindowVisible(mark)) << "the note shows a change";
        clickInto(run.editor);
        pressKeys(run.window, {VK_MENU, 'D'});
        EXPECT_EQ(run.passwordFields().size(), 1u) << "Alt+D is ignored after the hotkey";
        ASSERT_TRUE(run.quit());
    }
    EXPECT_EQ(readBytes(file), saved);
}

TEST(ProgramEncryption, BigNotesCipherComesBackByTheCommandAndByTheHotkey) {
    // A note of 300 lines of cipher, as earlier versions wrote it: its
    // decrypted view is shown in a fresh editor while the cipher's waits
    // aside, and an outside program finds only the editor shown.
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    fs::create_directories(notesFolder(dir));
    {
        base::IniFile ini(settingsFile(dir));
        ini.writeString(u"Options", u"CurrentNoteName", u"Secrets");
        ini.writeString(u"Options", u"EnableHotkey", u"1");
    }
    const crypto::KeySet keys = crypto::DeriveKeySet(u"correct horse", base::textServices());
    std::vector<std::u16string> plain, cipher;
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 ";
    for (int i = 0; i < 300; ++i) {
        std::u16string line = u"строка " + win::toU16(std::to_wstring(i));
        auto held = [](const std::u16string& c) {
            return c.find_first_of(std::u16string(u"\0\n\r", 3)) == std::u16string::npos;
        };
        while (!held(crypto::EncryptText(line, keys)))
            line += u' ';
        plain.push_back(line);
        cipher.push_back(crypto::EncryptText(line, keys));
        for (char16_t u : cipher.back())
            rtf += "\\u" + std::to_string(static_cast<short>(u)) + "?";
        rtf += "\\par ";
    }
    rtf += "}";
    const fs::path file = notesFolder(dir) / L"Secrets.note";
    writeBytes(file, rtf);
    {
        RunningNote run(dir);
        ASSERT_NE(run.editor, nullptr);
        const auto shownLines = [&] {
            run.editor = findChild(run.window, L"RichEdit20W");
            return run.lines();
        };
        ASSERT_EQ(shownLines(), cipher);
        const auto decrypt = [&] {
            auto fields = run.openPanel('D');
            ASSERT_EQ(fields.size(), 1u);
            typeInto(fields[0], L"correct horse\r");
            EXPECT_EQ(shownLines(), plain);
        };
        decrypt();
        pressKeys(run.window, {VK_MENU, 'R'});
        EXPECT_EQ(shownLines(), cipher) << "Alt+R";

        decrypt();
        const ATOM atom = GlobalFindAtomW(L"quivra_hotkey_sh");
        ASSERT_NE(atom, 0);
        PostMessageW(run.window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
        settle(run.window);
        EXPECT_EQ(shownLines(), cipher) << "Win+N";
        ASSERT_TRUE(run.quit());
    }
    EXPECT_EQ(readBytes(file), rtf);
}
