// The real program's format bar and format keys driven from outside: the
// formatting reaches the note's file when the program closes.
#include "program_test.h"

#include "editor/editor_ids.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace ed = quivra::editor;

namespace {

constexpr const char* kPlain =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 first\\par second\\par}";

// The program started on one remembered note.
class ProgramFormatBar : public ProgramTest {
  protected:
    void startOn(const char* rtf) {
        start({.notes = {{L"Дела", rtf}}, .options = {{u"CurrentNoteName", u"Дела"}}});
        editor = findChild(window, L"RichEdit20W");
    }
    std::string closeAndRead() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program->waitForExit(15000));
        return readBytes(note(L"Дела"));
    }
    HWND editor = nullptr;
};

} // namespace

TEST_F(ProgramFormatBar, ButtonsAndSizeBoxFormatTheSelectionAndTheNoteKeepsIt) {
    startOn(kPlain);
    if (HasFatalFailure())
        return;
    ASSERT_NE(editor, nullptr);
    HWND bar = findChildById(window, ed::ID_FORMATBAR);
    HWND size = findChildById(window, ed::ID_SELFONTSIZE);
    ASSERT_TRUE(bar && size);
    EXPECT_EQ(windowText(size), L"8");
    // The size box becomes a full combo box with its edit field when clicked.
    focusControl(window, size);
    size = findChildById(window, ed::ID_SELFONTSIZE);
    ASSERT_TRUE(hasClass(size, L"ComboBox"));
    EXPECT_EQ(windowText(size), L"8");
    HWND sizeText = FindWindowExW(size, nullptr, L"Edit", nullptr);
    ASSERT_NE(sizeText, nullptr);

    SendMessageW(editor, EM_SETSEL, 0, 5); // "first"
    // The bar draws its buttons: "B" at x 5, "-|-" at x 129, 22 px square at y 2.
    clickAt(bar, {5 + 11, 2 + 11});
    clickAt(bar, {129 + 11, 2 + 11});
    SendMessageW(sizeText, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
    SendMessageW(sizeText, WM_CHAR, 13, 1);
    const std::string saved = closeAndRead();
    EXPECT_NE(saved.find("\\b"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\qc"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\fs40"), std::string::npos) << saved;
    EXPECT_NE(saved.find("second"), std::string::npos) << saved;
}

TEST_F(ProgramFormatBar, FormatAndDateKeysWorkInTheEditor) {
    startOn(kPlain);
    if (HasFatalFailure())
        return;
    ASSERT_NE(editor, nullptr);
    focusControl(window, editor);
    SendMessageW(editor, EM_SETSEL, 6, 12); // "second"
    pressKeys(window, {VK_CONTROL, 'B'});
    pressKeys(window, {VK_CONTROL, 'E'});
    SendMessageW(editor, EM_SETSEL, 0, 0);
    pressKeys(window, {VK_F6});
    // The date in the locale's short form, then the note's own text.
    const std::wstring text = windowText(editor);
    EXPECT_EQ(text.size() > 10 ? text.substr(10, 5) : text, L"first") << text;
    EXPECT_EQ(text.substr(2, 1), L".");
    const std::string saved = closeAndRead();
    EXPECT_NE(saved.find("\\b second"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\qc"), std::string::npos) << saved;
}
