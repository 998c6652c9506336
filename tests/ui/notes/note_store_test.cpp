// The note store behind the real editor: loading, saving at its triggers,
// switching, stepping through the list and the per-note view settings.
#include "support/notes_fixture.h"

#include "notes/note_folder_win.h"
#include "win/wide_win.h"

#include <algorithm>

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {
using Notes = NotesFixture;
} // namespace

TEST_F(Notes, PlainUtf8NoteOpensAsTextAndIsRtfAfterItsFirstSave) {
    addNote(L"Список", "\xEF\xBB\xBFМолоко, хлеб");
    start();
    open(L"Список");
    EXPECT_EQ(editorText().substr(0, 12), u"Молоко, хлеб");
    EXPECT_TRUE(form->note().enabled());
    form->notes().store().ImmSaveClick();
    EXPECT_EQ(readFile(noteFile(L"Список")).rfind("{\\rtf", 0), 0u);
}

TEST_F(Notes, HiddenNoteStaysHiddenAfterASave) {
    addNote(L"H", kRtfA);
    SetFileAttributesW(noteFile(L"H").c_str(), FILE_ATTRIBUTE_HIDDEN);
    start();
    open(L"H");
    form->notes().store().ImmSaveClick();
    EXPECT_TRUE(GetFileAttributesW(noteFile(L"H").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(Notes, SaveWritesOnlyWhatChangedAndForcedSaveRewrites) {
    addNote(L"A", kRtfA);
    start();
    open(L"A");
    markUnwritten(noteFile(L"A"));
    form->notes().store().NMenu_SaveClick();
    EXPECT_TRUE(stillUnwritten(noteFile(L"A")));
    form->notes().store().ImmSaveClick();
    EXPECT_FALSE(stillUnwritten(noteFile(L"A")));
    EXPECT_NE(readFile(noteFile(L"A")).find("Alpha"), std::string::npos);
    EXPECT_FALSE(form->note().modified());
}

TEST_F(Notes, ChangedNoteLeftWithAltDownIsWrittenToItsOwnFile) {
    addNote(L"A", kRtfA);
    addNote(L"B", kRtfB);
    start();
    open(L"A");
    const int a = form->notes().lists().selectedNoteIndex();
    form->note().setSelection({0, 0});
    type(L"Новое ");
    SendMessageW(form->hwnd(), WM_COMMAND, notes::GoDown, 0);
    const std::u16string other = a == 0 ? u"B" : u"A";
    EXPECT_EQ(form->state().currentNoteName, other);
    const std::string written = readFile(noteFile(a == 0 ? L"A" : L"B"));
    EXPECT_NE(written.find("Alpha"), std::string::npos);
    EXPECT_EQ(readFile(noteFile(a == 0 ? L"B" : L"A")), a == 0 ? kRtfB : kRtfA);
    form->note().setSelection({0, -1});
    EXPECT_EQ(folder.settings().readString(u"Options", u"CurrentNoteName", u""), other);
}

TEST_F(Notes, SteppingStopsAtTheEndsAndStartsAtTheFirstNote) {
    addNote(L"A", kRtfA);
    addNote(L"B", kRtfB);
    start();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), -1);
    form->notes().GoUpExecute();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), -1);
    form->notes().GoDownExecute();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 0);
    form->notes().GoUpExecute();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 0);
    form->notes().GoDownExecute();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 1);
    form->notes().GoDownExecute();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 1);
    // Not while the settings page is shown.
    form->showPage(program::Page::Settings);
    form->notes().GoUpExecute();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 1);
}

TEST_F(Notes, SingleClickOnlyMovesTheListSelectionUnlessOneClickIsOn) {
    addNote(L"A", kRtfA);
    addNote(L"B", kRtfB);
    start();
    HWND lb = form->notes().lists().listBox();
    SendMessageW(lb, LB_SETCURSEL, 1, 0);
    form->notes().NotesLBClick();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), -1);
    EXPECT_TRUE(form->state().currentNoteName.empty());
    form->notes().NotesLBDblClick();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 1);

    HWND box = form->settingsPage().control(settings::ID_ISONELISTCLICK);
    SendMessageW(box, BM_CLICK, 0, 0);
    SendMessageW(lb, LB_SETCURSEL, 0, 0);
    form->notes().NotesLBClick();
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), 0);
}

TEST_F(Notes, ReadOnlySettingIsReadAsAnIntegerAndNeverWritten) {
    struct Case {
        const char16_t* value;
        bool readOnly;
    };
    for (const Case& c : {Case{u"1", true}, Case{u"yes", false}, Case{u"2", true}}) {
        ProgramFolder f;
        fs::create_directories(f.data() / L"Notes" / L"PC_user");
        const auto file = f.data() / L"Notes" / L"PC_user" / L"R.note";
        writeFile(file, kRtfA);
        base::IniFile(f.data() / L"Notes" / L"PC_user" / L"notessettings.ini")
            .writeString(u"r", u"ReadOnly", c.value); // section names ignore case
        auto fm = f.start();
        SendMessageW(fm->notes().lists().namesList(), CB_SETCURSEL, 0, 0);
        fm->notes().OpenNote();
        EXPECT_EQ(fm->state().NoteReadOnly, c.readOnly);
        EXPECT_EQ((GetWindowLongW(fm->notes().lists().readOnlyIcon(), GWL_STYLE) & WS_VISIBLE) != 0,
                  c.readOnly);
        EXPECT_EQ((GetWindowLongW(fm->note().hwnd(), GWL_STYLE) & ES_READONLY) != 0, c.readOnly);
        markUnwritten(file);
        fm->notes().store().ImmSaveClick();
        EXPECT_EQ(stillUnwritten(file), c.readOnly);
    }
}

TEST_F(Notes, WordWrapKeepsTextAndFormattingAndIsStoredPerNote) {
    addNote(L"W", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 a \\b bold\\b0  "
                  "\\i it\\i0\\par}");
    start();
    open(L"W");
    const std::string before = form->note().rtf();
    form->notes().view().sett_wwClick();
    EXPECT_TRUE(form->state().NoteWordWrap);
    EXPECT_EQ(form->note().rtf(), before);
    form->notes().view().sett_wwClick();
    EXPECT_EQ(form->note().rtf(), before);
    const base::IniFile ns(notesDir() / L"notessettings.ini");
    EXPECT_EQ(ns.readString(u"W", u"WordWrap", u""), u"0");
    EXPECT_FALSE(form->note().modified());
}

TEST_F(Notes, NamesDifferingInCaseShareTheirViewSettings) {
    addNote(L"Plan", kRtfA);
    start();
    open(L"Plan");
    form->notes().view().sett_roClick();
    const base::IniFile ns(notesDir() / L"notessettings.ini");
    EXPECT_TRUE(ns.readBool(u"PLAN", u"ReadOnly", false));
}

TEST_F(Notes, DropDownRowsFollowTheWindowHeight) {
    addNote(L"A", kRtfA);
    start();
    // Only the real list drops down: the first message its stand-in does not
    // answer makes it.
    SendMessageW(form->notes().lists().namesList(), CB_SETITEMHEIGHT, 0, 13);
    HWND list = form->notes().lists().namesList();
    const auto rowHeight = SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(rowHeight, 0);
    form->notes().NotesNamesListDropDown();
    // 480 px and 13 px rows give 31 rows.
    EXPECT_EQ(SendMessageW(list, CB_GETMINVISIBLE, 0, 0), (480 - 70) / rowHeight);
}

TEST_F(Notes, NoteWithoutAFileGetsOneOnlyAfterTyping) {
    addNote(L"A", kRtfA);
    start();
    // A name in the list whose file is gone, like a note added and never saved.
    fs::remove(noteFile(L"A"));
    open(L"A");
    EXPECT_TRUE(editorText().empty() || editorText() == u"\r");
    form->notes().store().NMenu_SaveClick();
    EXPECT_FALSE(fs::exists(noteFile(L"A")));
    type(L"x");
    form->notes().store().NMenu_SaveClick();
    EXPECT_TRUE(fs::exists(noteFile(L"A")));
}

TEST_F(Notes, RememberedNoteIsOpenedAtStart) {
    addNote(L"Alpha", kRtfA);
    addNote(L"Beta", kRtfB);
    folder.option(u"CurrentNoteName", u"beta");
    start();
    EXPECT_EQ(form->state().currentNoteName, u"Beta");
    EXPECT_EQ(editorText().substr(0, 4), u"Beta");
    EXPECT_TRUE(form->note().enabled());
}

TEST_F(Notes, FailedSaveKeepsTheChangeInARecoveryFile) {
    addNote(L"A", kRtfA);
    start();
    open(L"A");
    SetFileAttributesW(noteFile(L"A").c_str(), FILE_ATTRIBUTE_READONLY);
    form->note().setSelection({0, 0});
    type(L"Важно ");
    form->notes().store().NMenu_SaveClick();
    EXPECT_TRUE(form->note().modified());
    EXPECT_EQ(readFile(noteFile(L"A")), kRtfA);
    const fs::path recovery = folder.data() / L"Recovery";
    ASSERT_TRUE(fs::is_directory(recovery));
    int files = 0;
    for (const auto& e : fs::directory_iterator(recovery)) {
        ++files;
        EXPECT_NE(readFile(e.path()).find("Alpha"), std::string::npos);
    }
    EXPECT_EQ(files, 1);
    SetFileAttributesW(noteFile(L"A").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Notes, UnreadableNoteShowsTheErrorAndCannotBeOverwritten) {
    addNote(L"A", kRtfA);
    addNote(L"Broken", std::string("\xEF\xBB\xBF\xC3\x28 not utf-8", 15));
    start();
    open(L"A");
    SendMessageW(form->notes().lists().namesList(), CB_SETCURSEL, indexOf(L"Broken"), 0);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::ID_NOTESNAMESLIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(form->notes().lists().namesList()));
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"Failed to Load Stream");
    EXPECT_FALSE(form->note().enabled());
    // The side list shows the note the drop-down list shows.
    EXPECT_EQ(SendMessageW(form->notes().lists().listBox(), LB_GETCURSEL, 0, 0),
              indexOf(L"Broken"));
    EXPECT_EQ(form->notes().lists().selectedNoteIndex(), indexOf(L"Broken"));
    form->notes().store().ImmSaveClick();
    EXPECT_EQ(readFile(noteFile(L"Broken")).size(), 15u);
}

TEST_F(Notes, LockedNoteFileGivesTheOpenErrorWithItsPath) {
    addNote(L"A", kRtfA);
    addNote(L"Locked", kRtfB);
    start();
    open(L"A");
    HANDLE lock = CreateFileW(noteFile(L"Locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    SendMessageW(form->notes().lists().namesList(), CB_SETCURSEL, indexOf(L"Locked"), 0);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::ID_NOTESNAMESLIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(form->notes().lists().namesList()));
    CloseHandle(lock);
    ASSERT_EQ(folder.boxes.size(), 1u);
    const std::wstring expected = L"Cannot open file \"" + noteFile(L"Locked").wstring() + L"\". ";
    EXPECT_EQ(folder.boxes[0].text.substr(0, expected.size()), expected);
    EXPECT_GT(folder.boxes[0].text.size(), expected.size()); // the system's reason follows
    EXPECT_EQ(readFile(noteFile(L"Locked")), kRtfB);
}

TEST_F(Notes, TabTypesATabInTheEditorEvenThroughDialogNavigation) {
    addNote(L"A", kRtfA);
    start();
    ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
    open(L"A");
    form->note().focus();
    form->note().setSelection({0, 0});
    MSG msg{form->note().hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    if (!form->translateAccelerator(msg) && !IsDialogMessageW(form->hwnd(), &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    pumpMessages();
    EXPECT_EQ(GetFocus(), form->note().hwnd());
    EXPECT_EQ(editorText().substr(0, 6), u"\tAlpha");
}

TEST_F(Notes, DraggingTheListSplitterResizesTheListAndStoresTheWidthOnRelease) {
    folder.option(u"ListWidth", u"150");
    addNote(L"A", kRtfA);
    start();
    HWND splitter = form->notes().lists().listSplitter();
    const auto listWidth = [&] {
        RECT r;
        GetWindowRect(form->notes().lists().listBox(), &r);
        return r.right - r.left;
    };
    const int before = listWidth();
    // Where the splitter is in its own coordinates when the parent's x is `x`.
    const auto at = [&](int x) {
        POINT pt{x, 10};
        MapWindowPoints(GetParent(splitter), splitter, &pt, 1);
        return MAKELPARAM(pt.x, pt.y);
    };
    SendMessageW(splitter, WM_MOUSEMOVE, 0, at(260)); // no button: nothing
    EXPECT_EQ(listWidth(), before);
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, at(150));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, at(200));
    EXPECT_EQ(listWidth(), before + 50);
    EXPECT_EQ(folder.settings().readString(u"Options", u"ListWidth", u""), u"150"); // not yet
    SendMessageW(splitter, WM_LBUTTONUP, 0, at(200));
    EXPECT_EQ(folder.settings().readString(u"Options", u"ListWidth", u""), u"200");
    SendMessageW(splitter, WM_MOUSEMOVE, 0, at(260)); // released: the list stays
    EXPECT_EQ(listWidth(), before + 50);
}

TEST_F(Notes, ChangedMarkShowsRightOfTheNamesListWhileTheNoteHoldsUnsavedText) {
    addNote(L"A", kRtfA);
    start();
    open(L"A");
    const auto shown = [](HWND w) { return w && (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE); };
    form->presenter().PeriodicRefresh();
    EXPECT_FALSE(shown(form->notes().lists().changedMark()));
    type(L"x");
    form->presenter().PeriodicRefresh();
    HWND mark = form->notes().lists().changedMark();
    ASSERT_TRUE(shown(mark));
    EXPECT_EQ(win::windowText(mark), L"*");
    EXPECT_EQ(SendMessageW(mark, WM_GETFONT, 0, 0),
              SendMessageW(form->notes().lists().namesList(), WM_GETFONT, 0, 0));
    const auto gapToList = [&] {
        RECT m, n;
        GetWindowRect(form->notes().lists().changedMark(), &m);
        GetWindowRect(form->notes().lists().namesList(), &n);
        return m.left - n.right;
    };
    const long gap = gapToList();
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, 10);
    // A wider window widens the list; the mark keeps its place beside it.
    RECT r;
    GetWindowRect(form->hwnd(), &r);
    SetWindowPos(form->hwnd(), nullptr, 0, 0, r.right - r.left + 60, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(gapToList(), gap);
    form->notes().store().ImmSaveClick();
    form->presenter().PeriodicRefresh();
    EXPECT_FALSE(shown(mark));
}

TEST_F(Notes, CtrlWheelStepsThroughTheNotesWithoutZoomingTheEditor) {
    addNote(L"A", kRtfA);
    addNote(L"B", kRtfB);
    start();
    SendMessageW(form->notes().lists().namesList(), CB_SETCURSEL, 0, 0);
    form->notes().OpenNote();
    const int first = 0;
    const auto wheel = [&](bool ctrl, int delta) {
        // Ctrl held down as the keyboard holds it: the key's message and
        // its state.
        HWND editor = form->note().hwnd();
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        if (ctrl)
            SendMessageW(editor, WM_KEYDOWN, VK_CONTROL, 0);
        SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(ctrl ? MK_CONTROL : 0, delta), 0);
        if (ctrl)
            SendMessageW(editor, WM_KEYUP, VK_CONTROL, 0);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
        SetKeyboardState(keys);
        pumpMessages();
    };
    const auto zoomed = [&] {
        WPARAM numerator = 0;
        LPARAM denominator = 0;
        SendMessageW(form->note().hwnd(), EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
                     reinterpret_cast<LPARAM>(&denominator));
        return numerator != 0 && static_cast<LPARAM>(numerator) != denominator;
    };
    struct Step {
        bool ctrl;
        int delta;
        int index; // selected afterwards, from the first
    } steps[] = {
        {true, -WHEEL_DELTA, 1}, // toward the user: the next note
        {true, -WHEEL_DELTA, 1}, // the last one stays
        {true, WHEEL_DELTA, 0},
        {false, -WHEEL_DELTA, 0}, // without Ctrl the editor only scrolls
    };
    for (const Step& s : steps) {
        wheel(s.ctrl, s.delta);
        EXPECT_EQ(form->notes().lists().selectedNoteIndex(), first + s.index);
        EXPECT_FALSE(zoomed());
    }
}

TEST_F(Notes, TheListsHoldTheNoteFilesOfTheFolderAndNothingElse) {
    for (const wchar_t* note : {L"A", L"x.note", L"", L"Скрытая"})
        addNote(note, kRtfA);
    writeFile(notesDir() / L"Заметка.NOTE", kRtfB);
    writeFile(notesDir() / L"plan.notes", kRtfB);
    writeFile(notesDir() / L"readme.txt", "x");
    fs::create_directories(notesDir() / L"C.note");
    SetFileAttributesW(noteFile(L"Скрытая").c_str(), FILE_ATTRIBUTE_HIDDEN);
    start();
    std::vector<std::u16string> listed;
    for (int i = 0; i < form->notes().lists().noteCount(); ++i)
        listed.push_back(form->notes().lists().noteNameAt(i));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"", u"A", u"x.note", u"Заметка", u"Скрытая"}));
    EXPECT_EQ(SendMessageW(form->notes().lists().listBox(), LB_GETCOUNT, 0, 0), 5);
    EXPECT_TRUE(notes::findNoteNames((notesDir() / L"missing").u16string()).empty());
}
