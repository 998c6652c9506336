// The real program searching all notes, driven by the real keyboard and
// mouse: Ctrl+Shift+F and the notes menu's item, a word typed, Enter or a
// double click on a result, Esc back to the search in the note.
#include "called_in_program.h"

#include "notes/notes_ids.h"
#include "search/search_ids.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;

namespace {

using AllNotesSearch = CalledInProgram;

// The note B as another program left it: three lines, the word in the third.
constexpr const char* kThreeLines = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 first\\par "
                                    "second\\par third zebra line\\par}";

DWORD selectionOf(HWND editor) {
    return static_cast<DWORD>(SendMessageW(editor, EM_GETSEL, 0, 0));
}

} // namespace

TEST_F(AllNotesSearch, CtrlShiftFAWordAndEnterOpenTheNoteWithTheWordSelected) {
    writeBytes(note(L"B"), kThreeLines);
    // A change in the note shown, not saved yet.
    mouseClick(middleOf(editor));
    pressKeys(window, {'Q'});
    HWND find = findChildById(window, quivra::search::ID_FINDEDIT);
    ASSERT_NE(find, nullptr);

    pressKeys(window, {VK_CONTROL, VK_SHIFT, 'F'});
    ASSERT_TRUE(waitFor([&] { return focusedIn(window) == find; })) << "the box has no focus";
    typeInto(find, L"zebra");
    pressKeys(window, {VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return shownNote() == L"B"; })) << "B did not open";
    settle(window);
    // "third zebra line" is the third line: "zebra" from 19 to 24.
    EXPECT_EQ(windowText(editor), L"first\r\nsecond\r\nthird zebra line");
    EXPECT_EQ(LOWORD(selectionOf(editor)), 19);
    EXPECT_EQ(HIWORD(selectionOf(editor)), 24);
    EXPECT_EQ(focusedIn(window), editor);
    // The note left was saved on the way, with what was typed into it.
    EXPECT_NE(readBytes(note(L"A")).find("q"), std::string::npos) << readBytes(note(L"A"));
    HWND memo = findChildById(window, quivra::search::ID_SEARCHMEMO);
    ASSERT_TRUE(memo && IsWindowVisible(memo)) << "no results in sight";
    EXPECT_EQ(windowText(memo), L"B: 3 third zebra line");
    EXPECT_EQ(windowText(find), L"Поиск во всех заметках");
}

TEST_F(AllNotesSearch, TheMenuItemADoubleClickAndEnterOnAResultAndEscBackToTheNote) {
    HWND find = findChildById(window, quivra::search::ID_FINDEDIT);
    HWND menuButton = findChildById(window, quivra::notes::ID_NOTESACTMENUBUTTON);
    ASSERT_TRUE(find && menuButton);
    mouseClick(middleOf(menuButton));
    HWND menu = nullptr;
    ASSERT_TRUE(waitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    })) << "no notes menu";
    // "Добавить", "Переименовать", "Удвлить", "Искать во всех заметках".
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return focusedIn(window) == find; })) << "the box has no focus";
    typeInto(find, L"e");
    HWND memo = nullptr;
    ASSERT_TRUE(waitFor([&] {
        memo = findChildById(window, quivra::search::ID_SEARCHMEMO);
        return memo && IsWindowVisible(memo) &&
               windowText(memo) == L"A: 1 alpha one\r\nA: 2 beta two\r\nA: 3 gamma beta\r\nB: 1 "
                                   L"bee\r\nC: 1 sea";
    })) << (memo ? windowText(memo) : L"no results");

    // A double click on the first line opens A again, with the "e" of "one".
    const RECT r = screenRect(memo);
    mouseClick({r.left + 20, r.top + 8}, 2);
    ASSERT_TRUE(waitFor([&] { return LOWORD(selectionOf(editor)) == 8; }))
        << LOWORD(selectionOf(editor));
    EXPECT_EQ(shownNote(), L"A");
    EXPECT_EQ(HIWORD(selectionOf(editor)), 9);
    // Enter on the fourth line opens B with the first "e" of "bee".
    ASSERT_TRUE(IsWindowVisible(memo));
    mouseClick({r.left + 20, r.top + 8});
    for (int i = 0; i < 3; ++i)
        pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return shownNote() == L"B"; })) << "B did not open";
    settle(window);
    EXPECT_EQ(LOWORD(selectionOf(editor)), 1);
    EXPECT_EQ(HIWORD(selectionOf(editor)), 2);

    // Esc in the box: the search in the note again.
    mouseClick(middleOf(find));
    pressKeys(window, {VK_ESCAPE});
    ASSERT_TRUE(waitFor([&] { return focusedIn(window) == editor; }));
    EXPECT_EQ(windowText(find), L"Поиск");
    EXPECT_FALSE(IsWindowVisible(memo));
}
