// The second note view under the editor: what it shows, its height, and what
// closes it.
#include "editor/editor_fixture.h"

#include "notes/notes_controller_win.h"
#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;

namespace {

class SecondView : public EditorFixture {
  protected:
    notes::SecondView& view() { return form->notes().secondView(); }
    void choose(const wchar_t* name) {
        HWND chooser = view().chooser();
        SendMessageW(chooser, CB_SETCURSEL,
                     SendMessageW(chooser, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(name)),
                     0);
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::ID_NOTE2LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(chooser));
    }
    static int height(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        return r.bottom - r.top;
    }
    // The main window made so tall that the editor is `editor` px high.
    void editorHeight(int editor) {
        RECT r;
        GetWindowRect(form->hwnd(), &r);
        SetWindowPos(form->hwnd(), nullptr, 0, 0, r.right - r.left,
                     r.bottom - r.top + editor - height(note().hwnd()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

} // namespace

TEST_F(SecondView, ShowsTheSavedStateAtHalfTheEditorAndKeepsADraggedHeight) {
    startWith({{L"A", kRtfA}, {L"B", kRtfB}});
    note().setSelection({0, 0});
    type(L"не сохранено ");
    editorHeight(400);
    ASSERT_EQ(height(note().hwnd()), 400);
    EXPECT_FALSE(IsWindowEnabled(view().closeButton()));
    choose(L"A"); // the current note, as its file holds it
    ASSERT_TRUE(view().shown());
    EXPECT_EQ(view().view().text(), u"Alpha");
    EXPECT_EQ(height(view().view().hwnd()), 197);
    EXPECT_EQ(height(note().hwnd()), 197);
    EXPECT_TRUE(IsWindowVisible(view().splitter()));
    EXPECT_TRUE(IsWindowEnabled(view().closeButton()));
    // No typing into it; what it holds can be copied.
    SendMessageW(view().view().hwnd(), WM_CHAR, L'x', 1);
    EXPECT_EQ(view().view().text(), u"Alpha");

    // The user drags the splitter up by 50 px; another choice keeps that.
    RECT s;
    GetWindowRect(view().splitter(), &s);
    POINT at{2, 0};
    SendMessageW(view().splitter(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(view().splitter(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y - 50));
    SendMessageW(view().splitter(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y - 50));
    const int dragged = height(view().view().hwnd());
    EXPECT_EQ(dragged, 247);
    choose(L"B");
    EXPECT_EQ(view().view().text(), u"Beta");
    EXPECT_EQ(height(view().view().hwnd()), dragged);

    // The close button: closed, the chooser without a selection.
    SendMessageW(view().closeButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(view().shown());
    EXPECT_FALSE(IsWindowVisible(view().splitter()));
    EXPECT_EQ(SendMessageW(view().chooser(), CB_GETCURSEL, 0, 0), -1);
    EXPECT_FALSE(IsWindowEnabled(view().closeButton()));
    EXPECT_EQ(height(note().hwnd()), 400);
}

TEST_F(SecondView, SwitchingTheNoteClosesItAndAMissingFileShowsNothing) {
    startWith({{L"A", kRtfA}, {L"B", kRtfB}});
    choose(L"B");
    ASSERT_TRUE(view().shown());
    choose(L"A");
    open(L"B");
    EXPECT_FALSE(view().shown());
    EXPECT_EQ(SendMessageW(view().chooser(), CB_GETCURSEL, 0, 0), -1);

    // A note added and never written has no file: the view opens empty.
    form->notes().noteCommands().N_addClick();
    SetWindowTextW(form->notes().noteCommands().namePanel().field(), L"Пустая");
    form->notes().noteCommands().NL_DynamicClick();
    choose(L"Пустая");
    EXPECT_TRUE(view().shown());
    EXPECT_EQ(view().view().textLength(), 0);
    EXPECT_TRUE(folder.boxes.empty());
}

TEST_F(SecondView, ChooserAlwaysNamesTheNoteTheViewShows) {
    addNote(L"Broken", std::string("\xEF\xBB\xBF\xC3\x28 not utf-8", 15));
    startWith({{L"A", kRtfA}, {L"B", kRtfB}});
    const auto chosenName = [&] {
        const auto i = SendMessageW(view().chooser(), CB_GETCURSEL, 0, 0);
        wchar_t text[64]{};
        if (i >= 0)
            SendMessageW(view().chooser(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    // The current note, shown in the view, gets a new name: the view stays
    // open on it and the chooser names it by the new name.
    choose(L"A");
    form->notes().noteCommands().N_RenameClick();
    SetWindowTextW(form->notes().noteCommands().namePanel().field(), L"Z");
    form->notes().noteCommands().NL_DynamicClick();
    ASSERT_EQ(form->state().currentNoteName, u"Z");
    EXPECT_TRUE(view().shown());
    EXPECT_EQ(chosenName(), L"Z");
    EXPECT_EQ(view().view().text(), u"Alpha");

    // A note that cannot be read: the error is shown, and the view and the
    // chooser stay on what they showed, open or closed.
    choose(L"Broken");
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"Failed to Load Stream");
    EXPECT_TRUE(view().shown());
    EXPECT_EQ(chosenName(), L"Z");
    EXPECT_EQ(view().view().text(), u"Alpha");
    SendMessageW(view().closeButton(), BM_CLICK, 0, 0);
    choose(L"Broken");
    EXPECT_EQ(folder.boxes.size(), 2u);
    EXPECT_FALSE(view().shown());
    EXPECT_EQ(chosenName(), L"");
    EXPECT_FALSE(IsWindowEnabled(view().closeButton()));
}
