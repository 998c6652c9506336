// The real program with notes that cannot be read, and the typed text at a
// close request, driven from outside.
#include "program_test.h"

#include "base/ini_file.h"
#include "notes/notes_controller_win.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {

void remember(const fs::path& dir, std::u16string_view note) {
    fs::create_directories(notesFolder(dir));
    quivra::base::IniFile(settingsFile(dir)).writeString(u"Options", u"CurrentNoteName", note);
}

} // namespace

TEST(ProgramNotes, CorruptRememberedNoteIsReportedAndTheProgramStartsEveryTime) {
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    remember(dir, u"Broken");
    const std::string corrupt("{\\rtf1 \xEF\xBB\xBF\0\0\xFF{{{{", 14);
    writeBytes(notesFolder(dir) / L"Broken.note", corrupt);
    writeBytes(notesFolder(dir) / L"Other.note", "{\\rtf1 other}");
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        RunningProgram program(dir / L"quivra.exe");
        ASSERT_TRUE(program.started());
        HWND box = program.messageBox(15000);
        ASSERT_NE(box, nullptr) << "no error shown";
        EXPECT_EQ(messageBoxText(box), L"Failed to Load Stream");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        HWND w = program.mainWindow(15000);
        ASSERT_NE(w, nullptr);
        // Still answering: the notes are listed and a close request ends it.
        HWND names = findChildById(w, quivra::notes::ID_NOTESNAMESLIST);
        ASSERT_NE(names, nullptr);
        EXPECT_EQ(SendMessageW(names, CB_GETCOUNT, 0, 0), 2);
        PostMessageW(w, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.waitForExit(15000));
        EXPECT_EQ(program.exitCode(), 0u);
        EXPECT_EQ(readBytes(notesFolder(dir) / L"Broken.note"), corrupt);
    }
}

TEST(ProgramNotes, CloseRequestRightAfterTypingKeepsTheText) {
    const ProgramFolder folder;
    const fs::path& dir = folder.path();
    remember(dir, u"Дела");
    writeBytes(notesFolder(dir) / L"Дела.note", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 old}");
    RunningProgram program(dir / L"quivra.exe");
    ASSERT_TRUE(program.started());
    HWND w = program.mainWindow(15000);
    ASSERT_NE(w, nullptr);
    HWND editor = findChild(w, L"RichEdit20W");
    ASSERT_NE(editor, nullptr);
    typeInto(editor, L"typed ");
    PostMessageW(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.waitForExit(15000));
    EXPECT_NE(readBytes(notesFolder(dir) / L"Дела.note").find("typed old"), std::string::npos);
}
