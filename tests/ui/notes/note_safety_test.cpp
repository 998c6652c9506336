// Nothing typed is lost without the user's word, and a note that cannot be
// opened never stops the program.
#include "support/program_folder.h"

#include "platform/file_dialog_win.h"
#include "platform/wide_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

const char* const kRtfA = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 Alpha\\par}";
const char* const kRtfB = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 Beta\\par}";

class NoteSafety : public ::testing::Test {
  protected:
    ~NoteSafety() override { win::setFileDialogHook({}); }
    fs::path notesDir() const { return folder.data() / L"Notes" / L"PC_user"; }
    fs::path noteFile(const std::wstring& name) const { return notesDir() / (name + L".note"); }
    void addNote(const std::wstring& name, std::string_view bytes) {
        fs::create_directories(notesDir());
        writeFile(noteFile(name), bytes);
    }
    int indexOf(const wchar_t* name) const {
        return static_cast<int>(SendMessageW(form->control(app::ID_NOTESNAMESLIST),
                                             CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name)));
    }
    // Chooses the note in the drop-down list as the user does.
    void choose(const wchar_t* name) {
        HWND list = form->control(app::ID_NOTESNAMESLIST);
        SendMessageW(list, CB_SETCURSEL, indexOf(name), 0);
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(app::ID_NOTESNAMESLIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    void type(const wchar_t* text) {
        form->note().setSelection({0, 0});
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(form->note().hwnd(), WM_CHAR, *p, 1);
    }
    // Neither the note's file nor a recovery file can be written.
    void makeEverythingUnwritable(const wchar_t* note) {
        SetFileAttributesW(noteFile(note).c_str(), FILE_ATTRIBUTE_READONLY);
        writeFile(folder.data() / L"Recovery", "a file where the recovery folder would be");
    }
    std::u16string editorText() const { return form->note().text(); }

    ProgramFolder folder;
    std::unique_ptr<app::TMainForm> form;
};

} // namespace

TEST_F(NoteSafety, CorruptRememberedNoteIsReportedAfterStartAndLeftUntouched) {
    const std::string corrupt("\xEF\xBB\xBF\xC3\x28 not utf-8\0\0", 17);
    addNote(L"A", kRtfA);
    addNote(L"Broken", corrupt);
    folder.option(u"CurrentNoteName", u"Broken");
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        folder.boxes.clear();
        form = folder.start();
        ASSERT_TRUE(form);
        EXPECT_TRUE(folder.boxes.empty()); // nothing shows before the window is up
        form->FormShow();
        pumpMessages();
        ASSERT_EQ(folder.boxes.size(), 1u);
        EXPECT_EQ(folder.boxes[0].text, L"Failed to Load Stream");
        EXPECT_FALSE(form->note().enabled());
        form->ImmSaveClick();
        EXPECT_EQ(readFile(noteFile(L"Broken")), corrupt);
        // The program stays usable: another note opens.
        choose(L"A");
        EXPECT_TRUE(form->note().enabled());
        EXPECT_EQ(editorText().substr(0, 5), u"Alpha");
        folder.option(u"CurrentNoteName", u"Broken");
        form.reset();
    }
}

TEST_F(NoteSafety, UnwritableSettingsFileDoesNotStopTheStart) {
    addNote(L"A", kRtfA);
    folder.option(u"CurrentNoteName", u"A");
    SetFileAttributesW(folder.personalSettings().c_str(), FILE_ATTRIBUTE_READONLY);
    form = folder.start();
    form->FormShow();
    pumpMessages();
    ASSERT_FALSE(folder.boxes.empty());
    EXPECT_EQ(folder.boxes[0].text.rfind(L"Unable to write to ", 0), 0u);
    EXPECT_EQ(form->state().currentNoteName, u"A");
    EXPECT_TRUE(form->note().enabled());
    EXPECT_EQ(SendMessageW(form->control(app::ID_NOTESLB), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(form->activePage(), app::kNotesPage);
    SetFileAttributesW(folder.personalSettings().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(NoteSafety, TextKeptNowhereIsNotLeftWithoutTheUsersWord) {
    addNote(L"A", kRtfA);
    addNote(L"B", kRtfB);
    form = folder.start();
    choose(L"A");
    makeEverythingUnwritable(L"A");
    type(L"Пароль ");

    // "Отмена": the switch does not happen and the text stays.
    folder.answers = {IDCANCEL};
    choose(L"B");
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_NE(folder.boxes[0].text.find(L"не удалось сохранить"), std::wstring::npos);
    EXPECT_EQ(form->state().currentNoteName, u"A");
    EXPECT_EQ(form->selectedNoteIndex(), indexOf(L"A"));
    EXPECT_EQ(editorText().substr(0, 7), u"Пароль ");
    EXPECT_TRUE(form->note().modified());

    // "Да": saved where the user says, then the switch goes on.
    const fs::path elsewhere = folder.path() / L"спасено.rtf";
    int dialogs = 0;
    win::setFileDialogHook([&](const win::FileDialogRequest& request) {
        ++dialogs;
        EXPECT_TRUE(request.save);
        return std::optional<std::wstring>(elsewhere.wstring());
    });
    folder.answers = {IDYES};
    choose(L"B");
    EXPECT_EQ(dialogs, 1);
    EXPECT_NE(readFile(elsewhere).find("\\'cf\\'e0\\'f0\\'ee\\'eb\\'fc"), std::string::npos)
        << readFile(elsewhere);
    EXPECT_EQ(form->state().currentNoteName, u"B");
    EXPECT_EQ(readFile(noteFile(L"A")), kRtfA);
    SetFileAttributesW(noteFile(L"A").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(NoteSafety, QuitWithATextKeptNowhereAsksAndEndsOnlyWhenGivenUp) {
    addNote(L"A", kRtfA);
    form = folder.start();
    choose(L"A");
    makeEverythingUnwritable(L"A");
    type(L"x");
    folder.answers = {IDCANCEL};
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(form->hwnd()));
    EXPECT_EQ(folder.boxes.size(), 1u);
    folder.answers = {IDNO};
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->hwnd(), nullptr);
    EXPECT_EQ(folder.boxes.size(), 2u);
    EXPECT_EQ(readFile(noteFile(L"A")), kRtfA);
    SetFileAttributesW(noteFile(L"A").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(NoteSafety, FailedSaveInPassingIsToldOnceAndTheTextStays) {
    addNote(L"A", kRtfA);
    form = folder.start();
    choose(L"A");
    makeEverythingUnwritable(L"A");
    type(L"y");
    folder.answers = {IDNO, IDNO};
    form->NMenu_SaveClick();
    form->NMenu_SaveClick();
    pumpMessages();
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_TRUE(folder.boxes[0].flags & MB_YESNO);
    EXPECT_TRUE(form->note().modified());
    EXPECT_EQ(editorText().substr(0, 1), u"y");
    SetFileAttributesW(noteFile(L"A").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(NoteSafety, CloseRequestWritesTheTypedTextWhereverTheFocusIs) {
    addNote(L"A", kRtfA);
    form = folder.start();
    choose(L"A");
    type(L"Новое ");
    SetFocus(nullptr);
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_NE(readFile(noteFile(L"A")).find("\\'cd\\'ee\\'e2\\'ee\\'e5"), std::string::npos);
}
