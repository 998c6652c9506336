// The real program encrypts a whole note with a password typed into its
// panel; the note's file holds the cipher text from then on, also while the
// program shows the note decrypted, and after it quits.
#include "running_program.h"

#include "base/ini_file.h"
#include "base/text_services.h"
#include "crypto/cipher.h"
#include "crypto/key_derivation.h"
#include "document/text_lines.h"

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
    const fs::path dir = freshProgramFolder();
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
        clickInto(run.editor);
        SendMessageW(run.editor, EM_SETSEL, 0, 0);
        pressKeys(run.window, {VK_MENU, 'C'});
        auto fields = run.passwordFields();
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
        clickInto(run.editor);
        SendMessageW(run.editor, EM_SETSEL, 0, 0);
        pressKeys(run.window, {VK_MENU, 'D'});
        auto fields = run.passwordFields();
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
    std::error_code ec;
    fs::remove_all(dir, ec);
}
