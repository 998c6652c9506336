// Error boxes of the real program shown for real and dismissed from outside,
// where taking the focus away from the program is part of what is tested: the
// window stays in, nothing is written or changed, and the focus comes back.
#include "called_in_program.h"

#include "editor/editor_ids.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;

namespace {

using ProgramErrorBoxes = CalledInProgram;

// A message box of the program whose text begins with `start`.
HWND boxSaying(const RunningProgram& program, const std::wstring& start) {
    HWND found = nullptr;
    waitFor([&] {
        found = program.messageBox(0);
        return found && messageBoxText(found).rfind(start, 0) == 0;
    });
    return found && messageBoxText(found).rfind(start, 0) == 0 ? found : nullptr;
}

// Enter pressed on the keyboard while the box is in front.
void dismissWithEnter(HWND box) {
    SetForegroundWindow(box);
    Sleep(200);
    pressKeys(box, {VK_RETURN});
}

} // namespace

TEST_F(ProgramErrorBoxes, TextInTheSizeBoxThatIsNoNumberIsRefusedAndEverythingStays) {
    const std::string before = readBytes(note(L"A"));
    SendMessageW(editor, EM_SETSEL, 0, 5); // "alpha"
    HWND size = findChildById(window, quivra::editor::ID_SELFONTSIZE);
    ASSERT_NE(size, nullptr);
    mouseClick(middleOf(size)); // made a full combo box by the click
    size = findChildById(window, quivra::editor::ID_SELFONTSIZE);
    HWND sizeText = FindWindowExW(size, nullptr, L"Edit", nullptr);
    ASSERT_NE(sizeText, nullptr);
    SendMessageW(sizeText, EM_SETSEL, 0, -1);
    typeInto(sizeText, L"x");
    pressKeys(window, {VK_RETURN});
    HWND box = boxSaying(*program, L"'x' is not a valid integer value");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(screenRect(window).left, 0) << "the window went away behind its box";
    dismissWithEnter(box);
    settle(window);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(program->messageBox(1000), nullptr) << "a second box followed";
    EXPECT_EQ(screenRect(window).left, 0);
    EXPECT_EQ(focusedIn(window), sizeText);
    EXPECT_EQ(windowText(sizeText), L"x");
    EXPECT_EQ(LOWORD(SendMessageW(editor, EM_GETSEL, 0, 0)), 0);
    EXPECT_EQ(HIWORD(SendMessageW(editor, EM_GETSEL, 0, 0)), 5);
    EXPECT_EQ(readBytes(note(L"A")), before);
}

TEST_F(ProgramErrorBoxes, OpenTextOfAFileThatCannotBeOpenedKeepsTheNoteAndTheWindowIn) {
    const std::string before = readBytes(note(L"A"));
    mouseClick(middleOf(editor));
    // "Открыть текст из файла..." as the additional menu sends it.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(quivra::editor::OpenText, 0), 0);
    HWND dialog = program->messageBox(10000);
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    HWND nameField =
        findChildWhere(dialog, [](HWND w) { return hasClass(w, L"Edit") && IsWindowVisible(w); });
    ASSERT_NE(nameField, nullptr);
    const std::wstring missing = (dir / L"нет такого.txt").wstring();
    SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(missing.c_str()));
    dismissWithEnter(dialog);
    HWND box = boxSaying(*program, L"Cannot open file \"" + missing + L"\". ");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(screenRect(window).left, 0) << "the window went away behind its box";
    dismissWithEnter(box);
    settle(window);
    EXPECT_EQ(program->messageBox(1000), nullptr) << "a second box followed";
    EXPECT_EQ(screenRect(window).left, 0);
    EXPECT_EQ(focusedIn(window), editor);
    EXPECT_EQ(windowText(editor), L"alpha one\r\nbeta two\r\ngamma beta");
    EXPECT_EQ(readBytes(note(L"A")), before);
}
