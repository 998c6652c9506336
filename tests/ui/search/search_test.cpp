// The search box under the editor and the results area beneath: the search
// while typing, Enter with its wrap-around, the line filter and the jump.
#include "editor/editor_fixture.h"

#include "search/search_controller_win.h"
#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;

namespace {

// A note of plain ANSI text, one paragraph per line.
std::string plainNote(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

class Search : public EditorFixture {
  protected:
    search::SearchController& search() { return form->search(); }
    HWND box() { return search().findEdit(); }
    void dynamic(bool on) { folder.option(u"DynamicSearch", on ? u"1" : u"0"); }
    void typeSearch(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(box(), WM_CHAR, *p, 1);
    }
    void enter() { SendMessageW(box(), WM_CHAR, 13, 1); }
    document::CharRange selection() { return note().selection(); }
    std::vector<std::u16string> results() { return search().results().lines(); }
    // The result view's caret put on its line `index` and double-clicked.
    void doubleClickResult(int index) {
        document::RichEdit& view = search().resultView();
        view.focus();
        const long at = view.lineIndex(index);
        view.setSelection({at, at});
        search().SearchMemoDblClick();
    }
};

} // namespace

TEST_F(Search, TypingSelectsTheFirstHitListsItsLinesAndOpensTheArea) {
    dynamic(true);
    startWith({{L"N", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 x aBc\\par none\\par "
                      "ABC and abc\\par}"}});
    const int editorArea = [&] {
        RECT r;
        GetWindowRect(GetParent(note().hwnd()), &r);
        return static_cast<int>(r.bottom - r.top);
    }();
    EXPECT_FALSE(search().resultsAreaOpen());
    EXPECT_EQ(win::windowText(box()), L"Поиск");
    SetFocus(box());
    EXPECT_EQ(win::windowText(box()), L"");
    typeSearch(L"abc");
    EXPECT_EQ(selection(), (document::CharRange{2, 5}));
    EXPECT_EQ(results(), (std::vector<std::u16string>{u"<1> x aBc", u"<3> ABC and abc"}));
    EXPECT_TRUE(search().resultsAreaOpen());
    RECT r;
    GetWindowRect(GetParent(note().hwnd()), &r);
    EXPECT_EQ(r.bottom - r.top, editorArea - 100);
    // Leaving the box leaves the caret at the hit's start and shows the
    // placeholder; the lines stay.
    SetFocus(note().hwnd());
    EXPECT_EQ(selection(), (document::CharRange{2, 2}));
    EXPECT_EQ(win::windowText(box()), L"Поиск");
    EXPECT_EQ(results().size(), 2u);

    // A double click on "<3> ..." selects the whole third line.
    doubleClickResult(1);
    EXPECT_EQ(selection(), (document::CharRange{11, 22}));
    EXPECT_EQ(GetFocus(), note().hwnd());

    // Focusing the box with a word selected searches for it from the top.
    select(19, 22);
    SetFocus(box());
    EXPECT_EQ(win::windowText(box()), L"abc");
    EXPECT_EQ(selection(), (document::CharRange{2, 5}));
    DWORD from = 1, to = 0;
    SendMessageW(box(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 3u);

    // Enter in an empty box closes the area and returns to the editor.
    SetWindowTextW(box(), L"");
    enter();
    EXPECT_FALSE(search().resultsAreaOpen());
    EXPECT_EQ(GetFocus(), note().hwnd());
}

TEST_F(Search, EnterWalksTheHitsWrapsAroundAndPassesOverAnAdjacentHit) {
    dynamic(false);
    const std::string text = plainNote({"abab", "xx ab", "ab"});
    startWith({{L"N", text.c_str()}});
    select(0, 0);
    SetFocus(box());
    typeSearch(L"ab");
    EXPECT_EQ(selection(), (document::CharRange{0, 0})); // typing alone finds nothing
    std::vector<long> starts;
    for (int i = 0; i < 4; ++i) {
        enter();
        starts.push_back(selection().start);
        EXPECT_EQ(selection().length(), 2);
    }
    // 0, then past the adjacent hit at 2 to 8, 11, and around to 0 again.
    EXPECT_EQ(starts, (std::vector<long>{0, 8, 11, 0}));
    // Enter refills the lines, but the area opens only while typing.
    EXPECT_EQ(results().size(), 3u);
    EXPECT_FALSE(search().resultsAreaOpen());

    // "abab" alone: Enter selects only the hit at 0.
    SetFocus(note().hwnd());
    form->notes().noteCommands().N_addClick();
    SetWindowTextW(form->notes().noteCommands().namePanel().field(), L"abab");
    form->notes().noteCommands().NL_DynamicClick();
    type(L"abab");
    select(0, 0);
    SetFocus(box());
    typeSearch(L"ab");
    for (int i = 0; i < 3; ++i) {
        enter();
        EXPECT_EQ(selection(), (document::CharRange{0, 2})) << i;
    }
    // A text found nowhere leaves the selection and an empty result view.
    SetWindowTextW(box(), L"нет");
    select(1, 1);
    enter();
    EXPECT_EQ(selection(), (document::CharRange{1, 1}));
    EXPECT_TRUE(results().empty());
}

TEST_F(Search, AHitFarIntoALongLineIsFoundAndListedWhole) {
    dynamic(true);
    std::string line(6000, 'x');
    line.replace(5000, 4, "goal");
    const std::string text = plainNote({"first", line});
    startWith({{L"Long", text.c_str()}});
    SetFocus(box());
    typeSearch(L"GOAL");
    EXPECT_EQ(selection(), (document::CharRange{6 + 5000, 6 + 5004}));
    ASSERT_EQ(results().size(), 1u);
    EXPECT_EQ(results()[0].size(), 4 + 6000u);
    doubleClickResult(0);
    EXPECT_EQ(selection(), (document::CharRange{6, 6006}));
}

TEST_F(Search, ALongListComesInPiecesAfterTheKeystrokeAndANewSearchDropsThem) {
    dynamic(true);
    std::vector<std::string> lines;
    for (int i = 0; i < 700; ++i)
        lines.push_back(i % 2 ? "odd line" : "even line");
    const std::string text = plainNote(lines);
    startWith({{L"Many", text.c_str()}});
    SetFocus(box());
    typeSearch(L"even");
    // The first lines at once, the rest once the keystroke has returned.
    const auto first = results();
    EXPECT_LT(first.size(), 350u);
    EXPECT_EQ(first.front(), u"<1> even line");
    pumpMessages();
    const auto all = results();
    ASSERT_EQ(all.size(), 350u);
    EXPECT_EQ(all.back(), u"<699> even line");
    EXPECT_EQ(search().resultView().selection(), (document::CharRange{0, 0}));
    // A search typed before the pieces came in: only its own lines.
    SetWindowTextW(box(), L"odd");
    SetWindowTextW(box(), L"odd l");
    pumpMessages();
    EXPECT_EQ(results().size(), 350u);
    EXPECT_EQ(results().front(), u"<2> odd line");
    // The view emptied of a long list still jumps.
    doubleClickResult(2);
    EXPECT_EQ(selection(), (document::CharRange{48, 56})); // "<6> odd line"
}

TEST_F(Search, WrappedLinesKeepThePositionsOfTheText) {
    dynamic(true);
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "word ";
    const std::string text = plainNote({words, "target"});
    startWith({{L"W", text.c_str()}});
    form->notes().view().sett_wwClick();
    ASSERT_GT(SendMessageW(note().hwnd(), EM_GETLINECOUNT, 0, 0), 2);
    SetFocus(box());
    typeSearch(L"target");
    const long at = static_cast<long>(words.size()) + 1;
    EXPECT_EQ(selection(), (document::CharRange{at, at + 6}));
    EXPECT_EQ(results(), (std::vector<std::u16string>{u"<2> target"}));
}

TEST_F(Search, SwitchingClosesTheAreaAndTheCipherReturnEmptiesIt) {
    dynamic(true);
    const std::string a = plainNote({"one", "two"}), b = plainNote({"three"});
    startWith({{L"A", a.c_str()}, {L"B", b.c_str()}});
    SetFocus(box());
    typeSearch(L"o");
    ASSERT_TRUE(search().resultsAreaOpen());
    open(L"B");
    EXPECT_FALSE(search().resultsAreaOpen());
    EXPECT_EQ(results().size(), 2u); // kept for the next opening
    form->state().CipherBackup = note().rtf();
    form->cipher().returnCipher();
    EXPECT_TRUE(results().empty());
    // The close button closes the area and empties the view.
    SetFocus(box());
    typeSearch(L"e");
    ASSERT_TRUE(search().resultsAreaOpen());
    SendMessageW(search().results().closeButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(search().resultsAreaOpen());
    EXPECT_TRUE(results().empty());
}

TEST_F(Search, UnreadableLineNumberGivesTheIntegerErrorAndCtrlFReachesTheBox) {
    dynamic(true);
    const std::string text = plainNote({"one", "two"});
    startWith({{L"A", text.c_str()}});
    search().resultView().setPlainText(u"продолжение\r<2> two");
    search().resultView().setSelection({0, 0});
    folder.boxes.clear();
    // Through the view's double click, behind the window procedure's barrier.
    SendMessageW(search().resultView().hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].text, L"'' is not a valid integer value");

    form->state().CtrlDown = true;
    note().focus();
    press(note().hwnd(), 'F', true);
    EXPECT_EQ(GetFocus(), box());
    EXPECT_FALSE(form->state().CtrlDown);
    // Esc returns to the editor.
    SendMessageW(box(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
    EXPECT_EQ(GetFocus(), note().hwnd());
}

TEST_F(Search, ResultsAreaReopensAtItsFirstHeightAfterTheSplitterWasDragged) {
    dynamic(true);
    startWith({{L"N", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 x abc\\par}"}});
    const auto editorAreaHeight = [&] {
        RECT r;
        GetWindowRect(GetParent(note().hwnd()), &r);
        return static_cast<int>(r.bottom - r.top);
    };
    const int column = editorAreaHeight();
    for (int opening = 0; opening < 2; ++opening) {
        SetFocus(box());
        SetWindowTextW(box(), L"");
        typeSearch(L"abc");
        ASSERT_TRUE(search().resultsAreaOpen());
        EXPECT_EQ(editorAreaHeight(), column - 100) << opening;
        // The user drags the splitter up, then closes the area.
        HWND splitter = search().results().splitter();
        SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, -58));
        SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(2, -58));
        EXPECT_EQ(editorAreaHeight(), column - 158) << opening; // its top 58 px higher
        SetWindowTextW(box(), L"");
        enter();
        ASSERT_FALSE(search().resultsAreaOpen());
        EXPECT_EQ(editorAreaHeight(), column);
    }
}
