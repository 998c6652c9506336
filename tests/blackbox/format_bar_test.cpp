// The real program's format bar and format keys driven from outside: the
// formatting reaches the note's file when the program closes.
#include "running_program.h"

#include "base/ini_file.h"
#include "editor/editor_ids.h"

#include <gtest/gtest.h>

using namespace quivra::blackbox;
namespace fs = std::filesystem;
namespace ed = quivra::editor;

namespace {

constexpr const char* kPlain =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 first\\par second\\par}";

struct Started {
    fs::path dir;
    std::unique_ptr<RunningProgram> program;
    HWND window = nullptr;
    HWND editor = nullptr;
};

// The program started on one remembered note.
Started startOn(const char* rtf) {
    Started s;
    s.dir = freshProgramFolder();
    fs::create_directories(notesFolder(s.dir));
    quivra::base::IniFile(settingsFile(s.dir)).writeString(u"Options", u"CurrentNoteName", u"Дела");
    writeBytes(notesFolder(s.dir) / L"Дела.note", rtf);
    s.program = std::make_unique<RunningProgram>(s.dir / L"quivra.exe");
    s.window = s.program->mainWindow(15000);
    if (s.window)
        s.editor = findChild(s.window, L"RichEdit20W");
    return s;
}

std::string closeAndRead(Started& s) {
    PostMessageW(s.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(s.program->waitForExit(15000));
    return readBytes(notesFolder(s.dir) / L"Дела.note");
}

} // namespace

TEST(ProgramFormatBar, ButtonsAndSizeBoxFormatTheSelectionAndTheNoteKeepsIt) {
    Started s = startOn(kPlain);
    ASSERT_NE(s.editor, nullptr);
    HWND bar = findChildById(s.window, ed::ID_FORMATBAR);
    HWND size = findChildById(s.window, ed::ID_SELFONTSIZE);
    ASSERT_TRUE(bar && size);
    EXPECT_EQ(windowText(size), L"8");
    // The size box becomes a full combo box with its edit field when clicked.
    focusControl(s.window, size);
    size = findChildById(s.window, ed::ID_SELFONTSIZE);
    ASSERT_TRUE(hasClass(size, L"ComboBox"));
    EXPECT_EQ(windowText(size), L"8");
    HWND sizeText = FindWindowExW(size, nullptr, L"Edit", nullptr);
    ASSERT_NE(sizeText, nullptr);

    SendMessageW(s.editor, EM_SETSEL, 0, 5); // "first"
    // The bar draws its buttons: "B" at x 5, "-|-" at x 129, 22 px square at y 2.
    clickAt(bar, {5 + 11, 2 + 11});
    clickAt(bar, {129 + 11, 2 + 11});
    SendMessageW(sizeText, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
    SendMessageW(sizeText, WM_CHAR, 13, 1);
    const std::string saved = closeAndRead(s);
    EXPECT_NE(saved.find("\\b"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\qc"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\fs40"), std::string::npos) << saved;
    EXPECT_NE(saved.find("second"), std::string::npos) << saved;
    std::error_code ec;
    fs::remove_all(s.dir, ec);
}

TEST(ProgramFormatBar, FormatAndDateKeysWorkInTheEditor) {
    Started s = startOn(kPlain);
    ASSERT_NE(s.editor, nullptr);
    focusControl(s.window, s.editor);
    SendMessageW(s.editor, EM_SETSEL, 6, 12); // "second"
    pressKeys(s.window, {VK_CONTROL, 'B'});
    pressKeys(s.window, {VK_CONTROL, 'E'});
    SendMessageW(s.editor, EM_SETSEL, 0, 0);
    pressKeys(s.window, {VK_F6});
    // The date in the locale's short form, then the note's own text.
    const std::wstring text = windowText(s.editor);
    EXPECT_EQ(text.size() > 10 ? text.substr(10, 5) : text, L"first") << text;
    EXPECT_EQ(text.substr(2, 1), L".");
    const std::string saved = closeAndRead(s);
    EXPECT_NE(saved.find("\\b second"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\\qc"), std::string::npos) << saved;
    std::error_code ec;
    fs::remove_all(s.dir, ec);
}
