// The insertion commands of the additional menu, the link program of the
// settings page and Ctrl+click on a link.
#include "editor/editor_fixture.h"

#include "notes/notes_controller_win.h"
#include "win/file_dialog_win.h"
#include "win/shell_open_win.h"
#include "win/wide_win.h"
#include "window/presenter_win.h"

#include <thread>

using namespace quivra;
using namespace quivra::test;
using namespace quivra::editor;
using namespace quivra::document;
namespace fs = std::filesystem;

namespace {

class InsertCommands : public EditorFixture {
  protected:
    void TearDown() override {
        win::setFileDialogHook({});
        win::setShellOpenHook({});
    }
    // The next file dialogs answer with `path` (nothing: cancelled) and
    // record what they were asked and whether the refresh ran meanwhile.
    void answerDialogs(std::optional<std::wstring> path) {
        win::setFileDialogHook([this, path](const win::FileDialogRequest& request) {
            asked.push_back(request);
            refreshDuringDialog.push_back(form->presenter().timerEnabled(window::Timer1));
            return path;
        });
    }
    std::vector<win::FileDialogRequest> asked;
    std::vector<bool> refreshDuringDialog;
};

} // namespace

TEST_F(InsertCommands, OpenTextReadsTheContentNotTheExtension) {
    startWith({{L"A", kRtfA}});
    form->presenter().setTimer(window::Timer1, true);
    const fs::path rich = folder.path() / L"notes.txt";
    writeFile(rich, kRtfFormatted);
    answerDialogs(rich.wstring());
    command(OpenText);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].filter,
              std::wstring(L"Поддерживаемые форматы\0*.txt;*.rtf;*.note\0Все файлы\0*.*\0", 56));
    EXPECT_FALSE(asked[0].mustExist);
    EXPECT_EQ(refreshDuringDialog, (std::vector<bool>{false}));
    EXPECT_TRUE(form->presenter().timerEnabled(window::Timer1));
    EXPECT_EQ(note().text(), u"Alpha\rBeta\rGamma");
    select(6, 10);
    EXPECT_TRUE(effects() & CFE_BOLD);
    EXPECT_TRUE(note().modified());

    const fs::path plain = folder.path() / L"plain.rtf";
    writeFile(plain, "\xEF\xBB\xBF{\\b not rtf}");
    answerDialogs(plain.wstring());
    command(OpenText);
    EXPECT_EQ(note().text(), u"{\\b not rtf}");

    // A typed name of no file: the standard error, the editor unchanged.
    folder.boxes.clear();
    answerDialogs((folder.path() / L"нет.txt").wstring());
    command(OpenText);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text.rfind(
                  L"Cannot open file \"" + (folder.path() / L"нет.txt").wstring() + L"\". ", 0),
              0u);
    EXPECT_EQ(note().text(), u"{\\b not rtf}");
    EXPECT_TRUE(form->presenter().timerEnabled(window::Timer1));
}

TEST_F(InsertCommands, OpenTextOfAFileThatCannotBeDecodedKeepsTheNoteAndItsModifiedFlag) {
    using namespace std::string_literals;
    startWith({{L"A", kRtfFormatted}});
    const std::pair<const wchar_t*, std::string> files[] = {
        {L"picture.png", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s},
        {L"broken.txt", "\xEF\xBB\xBFgood \xC3\x28 bad"s},
        {L"deep.rtf", "{\\rtf1 " + std::string(60, '{') + "x" + std::string(60, '}') + "}"},
    };
    for (const bool modified : {true, false}) {
        note().setModified(modified);
        const std::string before = note().rtf();
        for (const auto& [name, bytes] : files) {
            SCOPED_TRACE(std::wstring(name) + (modified ? L", modified" : L", unmodified"));
            const fs::path file = folder.path() / name;
            writeFile(file, bytes);
            answerDialogs(file.wstring());
            folder.boxes.clear();
            command(OpenText);
            ASSERT_EQ(folder.boxes.size(), 1u);
            EXPECT_EQ(folder.boxes[0].text, L"Failed to Load Stream");
            EXPECT_EQ(note().rtf(), before);
            EXPECT_EQ(note().modified(), modified);
        }
    }
    // Nothing reached the note's file.
    form->notes().store().SaveIfModified();
    EXPECT_EQ(readFile(noteFile(L"A")), kRtfFormatted);
}

TEST_F(InsertCommands, LinkToAFileGoesInEvenInAReadOnlyNote) {
    startWith({{L"A", kRtfA}});
    form->notes().view().sett_roClick();
    ASSERT_TRUE(note().readOnly());
    select(0, 0);
    answerDialogs(std::wstring(L"C:\\Docs\\plan.txt"));
    command(N32);
    EXPECT_EQ(asked[0].filter, std::wstring(L"Все файлы\0*.*\0", 14));
    EXPECT_EQ(note().text(), u"file:///C:\\Docs\\plan.txtAlpha");
    answerDialogs(std::nullopt); // cancelled: nothing
    command(N32);
    EXPECT_EQ(note().text(), u"file:///C:\\Docs\\plan.txtAlpha");
}

TEST_F(InsertCommands, ClipboardAsTextDropsTheFormatting) {
    startWith({{L"A", kRtfA}});
    {
        win::ClipboardLock clipboard(form->hwnd());
        ASSERT_TRUE(clipboard.isOpen());
        EmptyClipboard();
        const std::wstring text = L"вставка";
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
    }
    select(0, 5); // "Alpha" replaced
    command(N22);
    EXPECT_EQ(note().text(), u"вставка");
    {
        win::ClipboardLock clipboard(form->hwnd());
        EmptyClipboard();
    }
    select(0, 3);
    command(N22); // no text: the selection goes
    EXPECT_EQ(note().text(), u"авка");

    // Another program keeps the clipboard open: the standard error, and the
    // selection stays as it was.
    win::UniqueKernelHandle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    win::UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread otherProgram([&] {
        OpenClipboard(nullptr);
        SetEvent(opened.get());
        WaitForSingleObject(done.get(), 10000);
        CloseClipboard();
    });
    WaitForSingleObject(opened.get(), INFINITE);
    folder.boxes.clear();
    select(0, 2);
    command(N22);
    SetEvent(done.get());
    otherProgram.join();
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text.rfind(L"Cannot open clipboard: ", 0), 0u)
        << folder.boxes[0].text;
    EXPECT_EQ(note().text(), u"авка");
    EXPECT_EQ(note().selection().start, 0);
    EXPECT_EQ(note().selection().end, 2);
}

TEST_F(InsertCommands, CtrlClickOpensTheLinkWithTheChosenProgramInItsFolder) {
    startWith({{L"A", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 see "
                      "http://example.com/x here\\par}"}});
    std::vector<win::ShellOpen> opened;
    win::setShellOpenHook([&](const win::ShellOpen& o) { opened.push_back(o); });
    const auto linkClick = [&](bool ctrl, UINT message) {
        form->state().CtrlDown = ctrl;
        ENLINK link{};
        link.nmhdr = {note().hwnd(), static_cast<UINT_PTR>(app::ID_NOTE), EN_LINK};
        link.msg = message;
        link.chrg = {4, 24};
        SendMessageW(form->hwnd(), WM_NOTIFY, app::ID_NOTE, reinterpret_cast<LPARAM>(&link));
    };
    linkClick(false, WM_LBUTTONUP); // without Ctrl: nothing
    linkClick(true, WM_LBUTTONDOWN);
    EXPECT_TRUE(opened.empty());
    linkClick(true, WM_LBUTTONUP); // the system's handler
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].file, L"http://example.com/x");
    EXPECT_EQ(opened[0].parameters, L"");
    EXPECT_EQ(note().selection(), (CharRange{4, 4}));

    // A link program chosen on the settings page, stored at once.
    const fs::path program = folder.path() / L"Браузер" / L"web.exe";
    fs::create_directories(program.parent_path());
    writeFile(program, "MZ");
    answerDialogs(program.wstring());
    form->presenter().setTimer(window::Timer1, true);
    SendMessageW(form->settingsPage().control(settings::ID_CHOOSEBROWSER), BM_CLICK, 0, 0);
    EXPECT_EQ(asked[0].filter, std::wstring(L"Приложения\0*.exe\0", 17));
    EXPECT_EQ(refreshDuringDialog, (std::vector<bool>{false}));
    EXPECT_EQ(folder.settings().readString(u"Options", u"CustomBrowser", u""), program.u16string());
    linkClick(true, WM_LBUTTONUP);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].file, program.wstring());
    EXPECT_EQ(opened[1].parameters, L"http://example.com/x");
    EXPECT_EQ(opened[1].folder, program.parent_path().wstring());

    // Forgotten: the key goes and links open with the system's handler.
    SendMessageW(form->settingsPage().control(settings::ID_BROWSERDELETE), BM_CLICK, 0, 0);
    EXPECT_FALSE(folder.settings().keyExists(u"Options", u"CustomBrowser"));
    linkClick(true, WM_LBUTTONUP);
    EXPECT_EQ(opened.back().file, L"http://example.com/x");

    // A link in the second view opens from its own text.
    form->notes().secondView().view().setRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 http://second.org/\\par}");
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    ENLINK link{};
    link.nmhdr = {form->notes().secondView().view().hwnd(), static_cast<UINT_PTR>(notes::ID_NOTE2),
                  EN_LINK};
    link.msg = WM_LBUTTONUP;
    link.chrg = {0, 18};
    SendMessageW(form->hwnd(), WM_NOTIFY, notes::ID_NOTE2, reinterpret_cast<LPARAM>(&link));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(opened.back().file, L"http://second.org/");
}
