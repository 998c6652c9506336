// The real program driven by the real mouse and keyboard where a user picks
// notes and saves them: the side list, the quick-search results, Ctrl+wheel,
// the changed mark, the search results view, and the tray menu's "Выход".
#include "called_in_program.h"

#include "notes/notes_ids.h"
#include "search/search_ids.h"
#include "window/presenter_win.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {
using ProgramLists = CalledInProgram;
} // namespace

TEST_F(ProgramLists, SideListAndQuickSearchResultsOpenNotesUnderTheMouse) {
    HWND side = findChildById(window, quivra::notes::ID_NOTESLB);
    ASSERT_NE(side, nullptr);
    ASSERT_TRUE(IsWindowVisible(side));
    // One click only moves the side list's selection (one-click choice is off).
    mouseClick(listRow(side, 1));
    settle(window);
    EXPECT_EQ(SendMessageW(side, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(shownNote(), L"A");
    // A double click opens the note, and the lists agree on it.
    mouseClick(listRow(side, 1), 2);
    settle(window);
    EXPECT_EQ(shownNote(), L"B");
    EXPECT_EQ(windowText(editor), L"bee");
    EXPECT_EQ(SendMessageW(side, LB_GETCURSEL, 0, 0), 1);

    // The quick-add field lists the names holding what is typed; a double
    // click on one opens it.
    HWND quickAdd = findChildById(window, quivra::notes::ID_QUICKADD);
    ASSERT_NE(quickAdd, nullptr);
    mouseClick(middleOf(quickAdd));
    pressKeys(window, {'C'});
    HWND results = findChildById(window, quivra::notes::ID_QUICKLIST);
    ASSERT_TRUE(waitFor([&] {
        results = findChildById(window, quivra::notes::ID_QUICKLIST);
        return results && IsWindowVisible(results);
    })) << "no quick-search results";
    ASSERT_EQ(SendMessageW(results, LB_GETCOUNT, 0, 0), 1);
    mouseClick(listRow(results, 0), 2);
    settle(window);
    EXPECT_EQ(shownNote(), L"C");
    EXPECT_EQ(windowText(editor), L"sea");
    EXPECT_EQ(SendMessageW(side, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(ProgramLists, CtrlWheelStepsThroughTheNotesAndAClickOnTheStarSaves) {
    mouseClick(middleOf(editor));
    // Ctrl held in the editor: the wheel toward the user opens the next
    // note, away from the user the previous one.
    key(VK_CONTROL, false);
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(shownNote(), L"B");
    wheel(WHEEL_DELTA);
    EXPECT_EQ(shownNote(), L"A");
    key(VK_CONTROL, true);
    // Without Ctrl the wheel only scrolls.
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(shownNote(), L"A");

    // Typing shows the changed mark; a click on it writes the note.
    const std::string before = readBytes(note(L"A"));
    pressKeys(window, {'X'});
    HWND star = nullptr;
    ASSERT_TRUE(waitFor([&] {
        star = findChildById(window, quivra::notes::ID_MODLAB);
        return star && IsWindowVisible(star);
    })) << "no changed mark";
    EXPECT_EQ(readBytes(note(L"A")), before);
    mouseClick(middleOf(star));
    settle(window);
    EXPECT_NE(readBytes(note(L"A")).find("x"), std::string::npos) << readBytes(note(L"A"));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(star); }));
}

TEST_F(ProgramLists, EnterOnAResultLineSelectsThatLineInTheEditor) {
    HWND find = findChildById(window, quivra::search::ID_FINDEDIT);
    ASSERT_NE(find, nullptr);
    mouseClick(middleOf(find));
    typeInto(find, L"beta");
    settle(window);
    HWND memo = findChildById(window, quivra::search::ID_SEARCHMEMO);
    ASSERT_TRUE(memo && IsWindowVisible(memo)) << "the results area did not open";
    EXPECT_EQ(windowText(memo), L"<2> beta two\r\n<3> gamma beta");
    // The first result line clicked, the caret moved down a line, Enter.
    const RECT r = screenRect(memo);
    mouseClick({r.left + 20, r.top + 8});
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_RETURN});
    const auto selection = static_cast<DWORD>(SendMessageW(editor, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 19); // "gamma beta", the third line
    EXPECT_EQ(HIWORD(selection), 29);
    EXPECT_EQ(focusedIn(window), editor);
    EXPECT_EQ(windowText(memo), L"<2> beta two\r\n<3> gamma beta"); // no line break typed
}

TEST_F(ProgramLists, TrayMenusExitEndsTheProgramWithoutWritingTheNote) {
    const std::string before = readBytes(note(L"A"));
    mouseClick(middleOf(editor));
    pressKeys(window, {'Z'});
    // The tray icon's right click as the shell reports it: the icon's
    // message with the mouse message.
    PostMessageW(window, quivra::window::WM_QUIVRA_TRAY, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(waitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    })) << "no tray menu";
    mouseClick(middleOf(menu));
    ASSERT_TRUE(program->waitForExit(15000));
    window = nullptr;
    EXPECT_EQ(readBytes(note(L"A")), before);
}
