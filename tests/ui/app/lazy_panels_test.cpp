// The panels hidden at start-up (the name panel, the confirmation, the quick
// search list, the search results area, the colour palette) are made the first time they show:
// what runs before that leaves them unmade, and once made they look and sit
// as if start-up had made them.
#include "support/program_folder.h"

#include "editor/formatting_controller_win.h"
#include "notes/notes_controller_win.h"
#include "search/search_controller_win.h"
#include "win/controls_win.h"

#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;

namespace {

int descendants(HWND root) {
    int count = 0;
    EnumChildWindows(
        root, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND descendantWithId(HWND root, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(
        root,
        [](HWND w, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<std::pair<int, HWND>*>(p);
            if (GetDlgCtrlID(w) != s.first)
                return TRUE;
            s.second = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

bool descendantOfClass(HWND root, const wchar_t* name) {
    std::pair<const wchar_t*, bool> search{name, false};
    EnumChildWindows(
        root,
        [](HWND w, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<std::pair<const wchar_t*, bool>*>(p);
            wchar_t cls[64]{};
            GetClassNameW(w, cls, 64);
            s.second = _wcsicmp(cls, s.first) == 0;
            return !s.second;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HFONT fontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

} // namespace

TEST(LazyPanels, WhatRunsBeforeTheFirstShowingMakesNoPanel) {
    ProgramFolder folder;
    auto form = folder.start();
    form->FormShow();
    HWND main = form->hwnd();
    const int atStart = descendants(main);

    // A resize lays every page out; the panels' menu commands, the re-placing
    // after a move, the closing paths and the refresh pass the panels by.
    RECT r;
    GetWindowRect(main, &r);
    SetWindowPos(main, nullptr, 0, 0, r.right - r.left + 40, r.bottom - r.top + 30,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(main, WM_COMMAND, window::A2, 0);
    SendMessageW(main, WM_COMMAND, window::N44, 0);
    form->presenter().panels().placeAfterResize();
    form->search().SearchCloseClick();
    form->search().clearResults();
    form->search().SearchMemoDblClick();
    form->notes().hideQuickSearch();
    form->notes().noteCommands().NL_CancelClick();
    form->confirmPanel().FWarnPanExit();
    form->presenter().PeriodicRefresh();

    EXPECT_FALSE(form->notes().noteCommands().namePanelShowing());
    EXPECT_FALSE(form->confirmPanel().shown());
    EXPECT_FALSE(form->notes().quickAdd().quickSearch().shown());
    EXPECT_FALSE(form->search().resultsAreaOpen());
    EXPECT_TRUE(form->search().results().lines().empty());
    EXPECT_FALSE(folder.settings().keyExists(u"Coords", u"EditPanel_x"));
    EXPECT_EQ(descendants(main), atStart);
    for (int id : {int{notes::ID_NEWNNAME}, int{window::ID_CONFIRMPANEL}, int{notes::ID_QUICKLIST},
                   int{search::ID_SEARCHMEMO}, int{editor::ID_COLORPAN}})
        EXPECT_EQ(descendantWithId(main, id), nullptr) << id;
    // The combo boxes too wait for their first use; their stand-ins show the
    // start-up's choices meanwhile.
    EXPECT_FALSE(descendantOfClass(main, L"ComboBox"));
    for (auto page : {program::Page::Settings, program::Page::Help, program::Page::About})
        EXPECT_EQ(form->page(page), nullptr);
    EXPECT_EQ(win::windowText(form->formatting().bar().SelFontSize.hwnd()), L"8");
}

TEST(LazyPanels, FirstShowingMakesEachPanelOnceWithTheWindowsFontAndLaidOut) {
    ProgramFolder folder;
    auto form = folder.start();
    form->FormShow();
    HWND main = form->hwnd();
    const HFONT startupFont = fontOf(form->search().findEdit());
    ASSERT_NE(startupFont, nullptr);

    const auto showAll = [&] {
        form->notes().noteCommands().N_addClick();
        EXPECT_TRUE(form->notes().noteCommands().namePanelShowing());
        form->notes().noteCommands().NL_CancelClick();
        form->confirmPanel().ask(u"?", {}, window::ConfirmPanel::Place::Default);
        EXPECT_TRUE(form->confirmPanel().shown());
        form->confirmPanel().Warn_NoClick();
        form->notes().quickAdd().quickSearch().showNames({u"a", u"b"}, {0, 0});
        EXPECT_TRUE(form->notes().quickAdd().quickSearch().shown());
        form->notes().hideQuickSearch();
        form->search().openResultsArea();
    };
    showAll();
    const int made = descendants(main);
    form->search().closeResultsArea();
    showAll();
    EXPECT_EQ(descendants(main), made) << "a panel was made twice";

    auto& name = form->notes().noteCommands().namePanel();
    auto& confirm = form->confirmPanel();
    auto& results = form->search().results();
    for (HWND control :
         {name.field(), name.confirmButton(), name.cancelButton(), confirm.yesButton(),
          confirm.noButton(), form->notes().quickAdd().quickSearch().list(), results.closeButton()})
        EXPECT_EQ(fontOf(control), startupFont);

    // The open results area spans the column under the editor area.
    RECT column, panel;
    GetClientRect(GetParent(results.panel()), &column);
    GetWindowRect(results.panel(), &panel);
    MapWindowPoints(nullptr, GetParent(results.panel()), reinterpret_cast<POINT*>(&panel), 2);
    EXPECT_TRUE(IsWindowVisible(results.panel()));
    EXPECT_EQ(panel.right - panel.left, column.right);
    EXPECT_EQ(panel.bottom, column.bottom);
    EXPECT_GT(panel.top, 0);
}

TEST(LazyPanels, PagesMadeWhenFirstShownFillThePageAreaOverThePageControlUnderTheHideButton) {
    ProgramFolder folder;
    auto form = folder.start();
    form->FormShow();
    // A resize before the first showing: the page is made at the new size.
    RECT r;
    GetWindowRect(form->hwnd(), &r);
    SetWindowPos(form->hwnd(), nullptr, 0, 0, r.right - r.left + 50, r.bottom - r.top + 20,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto rectOf = [](HWND w) {
        RECT rc;
        GetWindowRect(w, &rc);
        return rc;
    };
    const RECT notesArea = rectOf(form->page(program::Page::Notes));
    for (auto page : {program::Page::Settings, program::Page::Help, program::Page::About}) {
        form->showPage(page);
        HWND made = form->page(page);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(IsWindowVisible(made));
        EXPECT_FALSE(IsWindowVisible(form->page(program::Page::Notes)));
        const RECT area = rectOf(made);
        EXPECT_TRUE(EqualRect(&area, &notesArea));
        // Over the page control, which would hide it (a new window starts
        // under its siblings) while letting the clicks through.
        for (HWND above = GetWindow(made, GW_HWNDPREV); above;
             above = GetWindow(above, GW_HWNDPREV))
            EXPECT_NE(above, form->pagesControl());
        // The hide button still takes the clicks at its place.
        const RECT button = rectOf(form->hideButton());
        const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        EXPECT_EQ(WindowFromPoint(centre), form->hideButton());
    }
    form->showPage(program::Page::Notes);
    EXPECT_TRUE(IsWindowVisible(form->page(program::Page::Notes)));
    EXPECT_FALSE(IsWindowVisible(form->page(program::Page::About)));
}
