// Nothing typed is lost without the user's word, and a note that cannot be
// opened never stops the program.
#include "support/notes_fixture.h"

#include "win/file_dialog_win.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

class NoteSafety : public NotesFixture {
  protected:
    ~NoteSafety() override { win::setFileDialogHook({}); }
    // Neither the note's file nor a recovery file can be written.
    void makeEverythingUnwritable(const wchar_t* note) {
        SetFileAttributesW(noteFile(note).c_str(), FILE_ATTRIBUTE_READONLY);
        writeFile(folder.data() / L"Recovery", "a file where the recovery folder would be");
    }
    void typeAtStart(const wchar_t* text) {
        form->note().setSelection({0, 0});
        type(text);
    }
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
        form->notes().store().ImmSaveClick();
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
    EXPECT_EQ(SendMessageW(form->notes().lists().listBox(), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(form->activePage(), program::Page::Notes);
    SetFileAttributesW(folder.personalSettings().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(NoteSafety, TextKeptNowhereIsNotLeftWithoutTheUsersWord) {
    addNote(L"A", kRtfA);
    addNote(L"B", kRtfB);
    form = folder.start();
    choose(L"A");
    makeEverythingUnwritable(L"A");
    typeAtStart(L"Пароль ");

    // "Отмена": the switch does not happen; the text, the second view and
    // the results area stay as they were.
    HWND chooser = form->notes().secondView().chooser();
    SendMessageW(chooser, CB_SETCURSEL, 1, 0);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::ID_NOTE2LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(chooser));
    form->search().openResultsArea();
    folder.answers = {IDCANCEL};
    choose(L"B");
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_NE(folder.boxes[0].text.find(L"не удалось сохранить"), std::wstring::npos);
    EXPECT_EQ(form->state().currentNoteName, u"A");
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), indexOf(L"A"));
    EXPECT_EQ(SendMessageW(form->notes().lists().listBox(), LB_GETCURSEL, 0, 0), indexOf(L"A"));
    EXPECT_EQ(editorText().substr(0, 7), u"Пароль ");
    EXPECT_TRUE(form->note().modified());
    EXPECT_TRUE(form->notes().secondView().shown());
    EXPECT_EQ(SendMessageW(chooser, CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(form->search().resultsAreaOpen());

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
    typeAtStart(L"x");
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
    typeAtStart(L"y");
    folder.answers = {IDNO, IDNO};
    form->notes().store().NMenu_SaveClick();
    form->notes().store().NMenu_SaveClick();
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
    typeAtStart(L"Новое ");
    SetFocus(nullptr);
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_NE(readFile(noteFile(L"A")).find("\\'cd\\'ee\\'e2\\'ee\\'e5"), std::string::npos);
}
