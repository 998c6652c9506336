// The real program's note commands and search driven from outside: a note
// added with Alt+I, renamed with Alt+E and deleted with Ctrl+D, and a typed
// search that selects its hit.
#include "program_test.h"

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

class ProgramNoteCommands : public ProgramTest {
  protected:
    fs::path notes() const { return notesFolder(dir); }
};

} // namespace

TEST_F(ProgramNoteCommands, AddRenameSearchAndDeleteFromTheKeyboard) {
    start({.notes = {{L"Дела", "{\\rtf1 first\\par}"}},
           .options = {{u"CurrentNoteName", u"Дела"}, {u"DynamicSearch", u"1"}}});
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
    EXPECT_TRUE(waitForFile(notes() / L"Проект.note", true));

    // Alt+E: the note and its companion file get the new name.
    writeBytes(notes() / L"Проект.ini", "companion");
    pressKeys(window, {VK_MENU, 'E'});
    EXPECT_EQ(windowText(field), L"Проект");
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Итоги"));
    typeInto(field, L"\r");
    EXPECT_TRUE(waitForFile(notes() / L"Итоги.note", true));
    EXPECT_FALSE(fs::exists(notes() / L"Проект.note"));
    EXPECT_TRUE(fs::exists(notes() / L"Итоги.ini"));
    EXPECT_FALSE(fs::exists(notes() / L"Проект.ini"));

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
    EXPECT_TRUE(waitForFile(notes() / L"Итоги.note", false));
    EXPECT_TRUE(fs::exists(notes() / L"Дела.note"));
}

namespace {

void putOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy(text.c_str(), text.c_str() + text.size() + 1,
              static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

} // namespace

// A name pasted into the rename field is checked whole: one that leaves the
// folder, makes a stream or is changed by the system cannot be confirmed. A
// name equal but for case to a listed one, added or found in the folder, is
// the listed note, listed once.
TEST_F(ProgramNoteCommands, PastedNamesThatAreNoFileOfTheFolderAndCaseDuplicatesAreRefused) {
    // Two files equal but for case, as a case-sensitive file system holds them.
    start({.notes = {{L"Дела", "{\\rtf1 first\\par}"}, {L"дела", "{\\rtf1 second\\par}"}},
           .options = {{u"CurrentNoteName", u"Дела"}}});
    HWND names = findChildById(window, nt::ID_NOTESNAMESLIST);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(SendMessageW(names, CB_GETCOUNT, 0, 0), 1);

    pressKeys(window, {VK_MENU, 'E'});
    HWND field = findChildById(window, nt::ID_NEWNNAME);
    HWND confirm = findChildById(window, nt::ID_NL_DYNAMIC);
    ASSERT_TRUE(field && confirm);
    for (const wchar_t* pasted : {L"..\\..\\имя", L"a:b", L"CON", L"x.", L"Новое"}) {
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        putOnClipboard(pasted);
        pressKeys(window, {VK_CONTROL, 'V'});
        EXPECT_EQ(windowText(field), pasted);
        EXPECT_EQ(IsWindowEnabled(confirm) != 0, std::wstring(pasted) == L"Новое") << pasted;
    }
    typeInto(field, L"\x1B"); // Esc: no rename

    // Quick add of the listed name in other letters opens that note.
    HWND quick = findChildById(window, nt::ID_QUICKADD);
    ASSERT_NE(quick, nullptr);
    focusControl(window, quick);
    typeInto(quick, L"ДЕЛА\r");
    EXPECT_EQ(SendMessageW(names, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(windowText(names), L"Дела");
    EXPECT_FALSE(fs::exists(notes() / L"ДЕЛА.note") &&
                 std::count_if(fs::directory_iterator(notes()), fs::directory_iterator(),
                               [](const auto& e) { return e.path().extension() == L".note"; }) > 2)
        << "a note was added";
}

// A Ctrl+click on a link that is no web page or mail address asks first,
// naming the link; "Нет" opens nothing.
TEST_F(ProgramNoteCommands, CtrlClickOnAFileLinkAsksFirst) {
    start({.notes = {{L"Ссылки", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 "
                                 "file://C:/windows/notepad.exe\\par}"}},
           .options = {{u"CurrentNoteName", u"Ссылки"}, {u"EnableHotkey", u"1"}}});
    ASSERT_TRUE(waitFor([&] { return screenRect(window).left < 0; }));
    ASSERT_TRUE(postHotkey(window));
    ASSERT_TRUE(waitFor([&] { return screenRect(window).left == 0; }));
    HWND editor = findChild(window, L"RichEdit20W");
    ASSERT_NE(editor, nullptr);
    // The link's fifth character, on the screen.
    const auto packed = static_cast<DWORD>(SendMessageW(editor, EM_POSFROMCHAR, 4, 0));
    POINT at{static_cast<short>(LOWORD(packed)) + 2, static_cast<short>(HIWORD(packed)) + 4};
    ClientToScreen(editor, &at);
    SetForegroundWindow(window);
    settle(window);
    INPUT ctrl{};
    ctrl.type = INPUT_KEYBOARD;
    ctrl.ki.wVk = VK_CONTROL;
    clickWithMouse(window, editor); // the editor takes the focus first
    SendInput(1, &ctrl, sizeof ctrl);
    mouseClick(at);
    ctrl.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &ctrl, sizeof ctrl);
    HWND box = program->messageBox(5000);
    ASSERT_NE(box, nullptr) << "the link opened without a question";
    EXPECT_NE(messageBoxText(box).find(L"file://C:/windows/notepad.exe"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
}
