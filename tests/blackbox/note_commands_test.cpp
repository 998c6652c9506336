// The real program's note commands and search driven from outside: a note
// added with Alt+I, renamed with Alt+E and deleted with Ctrl+D, and a typed
// search that selects its hit.
#include "running_program.h"

#include "base/ini_file.h"
#include "notes/notes_controller_win.h"
#include "search/search_controller_win.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;
namespace nt = quivra::notes;

namespace {

// The program's button with that caption.
HWND buttonCaptioned(HWND window, const wchar_t* caption) {
    return findChildWhere(
        window, [caption](HWND w) { return hasClass(w, L"Button") && windowText(w) == caption; });
}

bool waitForFile(const fs::path& file, bool present) {
    for (int i = 0; i < 50; ++i) {
        if (fs::exists(file) == present)
            return true;
        Sleep(100);
    }
    return false;
}

} // namespace

TEST(ProgramNoteCommands, AddRenameSearchAndDeleteFromTheKeyboard) {
    const fs::path dir = freshProgramFolder();
    const fs::path notes = notesFolder(dir);
    fs::create_directories(notes);
    quivra::base::IniFile ini(settingsFile(dir));
    ini.writeString(u"Options", u"CurrentNoteName", u"Дела");
    ini.writeString(u"Options", u"DynamicSearch", u"1");
    writeBytes(notes / L"Дела.note", "{\\rtf1 first\\par}");
    RunningProgram program(dir / L"quivra.exe");
    HWND window = program.mainWindow(15000);
    ASSERT_NE(window, nullptr);
    HWND editor = findChild(window, L"RichEdit20W");
    ASSERT_NE(editor, nullptr);
    // The name panel is made the first time it opens.
    EXPECT_EQ(findChildById(window, nt::ID_NEWNNAME), nullptr);

    // Alt+I: the name panel; the typed name and Enter add the note, which
    // gets its file at the first save.
    pressKeys(window, {VK_MENU, 'I'});
    HWND field = findChildById(window, nt::ID_NEWNNAME);
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(IsWindowVisible(GetParent(field)));
    typeInto(field, L"Проект");
    typeInto(field, L"\r");
    EXPECT_FALSE(IsWindowVisible(GetParent(field)));
    EXPECT_EQ(windowText(editor), L"");
    typeInto(editor, L"план работ");
    pressKeys(window, {VK_CONTROL, 'S'});
    EXPECT_TRUE(waitForFile(notes / L"Проект.note", true));

    // Alt+E: the note and its companion file get the new name.
    writeBytes(notes / L"Проект.ini", "companion");
    pressKeys(window, {VK_MENU, 'E'});
    EXPECT_EQ(windowText(field), L"Проект");
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Итоги"));
    typeInto(field, L"\r");
    EXPECT_TRUE(waitForFile(notes / L"Итоги.note", true));
    EXPECT_FALSE(fs::exists(notes / L"Проект.note"));
    EXPECT_TRUE(fs::exists(notes / L"Итоги.ini"));
    EXPECT_FALSE(fs::exists(notes / L"Проект.ini"));

    // A search typed into the box selects the hit.
    HWND box = findChildById(window, quivra::search::ID_FINDEDIT);
    ASSERT_NE(box, nullptr);
    focusControl(window, box);
    typeInto(box, L"РАБ");
    const auto selection = static_cast<DWORD>(SendMessageW(editor, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 5);
    EXPECT_EQ(HIWORD(selection), 8);

    // Ctrl+D and "Да": the note's file is gone.
    focusControl(window, editor);
    pressKeys(window, {VK_CONTROL, 'D'});
    HWND yes = buttonCaptioned(window, L"Да");
    ASSERT_NE(yes, nullptr);
    ASSERT_TRUE(IsWindowVisible(GetParent(yes)));
    SendMessageW(yes, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitForFile(notes / L"Итоги.note", false));
    EXPECT_TRUE(fs::exists(notes / L"Дела.note"));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(15000));
    std::error_code ec;
    fs::remove_all(dir, ec);
}
