// The search box searching all notes: Ctrl+Shift+F or the notes menu's item,
// the results of every note listed while typing, the note of a result opened
// with the word selected, Esc and Ctrl+F back to the search in the note.
#include "editor/editor_fixture.h"

#include "notes/notes_ids.h"
#include "search/search_controller_win.h"
#include "win/handles_win.h"
#include "win/wide_win.h"

#include <fstream>
#include <sstream>

using namespace quivra;
using namespace quivra::test;

namespace {

std::string rtf(const std::string& body) {
    return "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0\\fs16 " + body +
           "}";
}

class AllNotes : public EditorFixture {
  protected:
    search::SearchController& search() { return form->search(); }
    HWND box() { return search().findEdit(); }
    void typeSearch(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(box(), WM_CHAR, *p, 1);
    }
    // Until the results of the text typed are listed.
    void waitForResults() {
        for (int i = 0; i < 500 && !search().allNotes().listed(); ++i) {
            Sleep(10);
            pumpMessages();
        }
        ASSERT_TRUE(search().allNotes().listed());
        pumpMessages();
    }
    std::vector<std::u16string> results() { return search().results().lines(); }
    std::string fileOf(const wchar_t* name) {
        std::ifstream in(noteFile(name), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    void pressSearchAll() { // Ctrl+Shift+F, as the message loop takes it
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        MSG msg{note().hwnd(), WM_KEYDOWN, 'F', 1, 0, {}};
        EXPECT_TRUE(form->translateAccelerator(msg));
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        pumpMessages();
    }
};

} // namespace

TEST_F(AllNotes, ListsTheLinesOfEveryNoteAndOpensTheChosenOneWithTheWordSelected) {
    startWith({{L"Первая", rtf("alpha\\par").c_str()},
               {L"Вторая", rtf("one\\par two\\par three \\'f1\\'eb\\'ee\\'e2\\'ee\\par").c_str()},
               {L"Третья", rtf("\\'d1\\'cb\\'ce\\'c2\\'ce again\\par").c_str()}});
    type(L"unsaved ");
    pressSearchAll();
    EXPECT_EQ(GetFocus(), box());
    typeSearch(L"слово");
    waitForResults();
    EXPECT_EQ(results(),
              (std::vector<std::u16string>{u"Вторая: 3 three слово", u"Третья: 1 СЛОВО again"}));
    EXPECT_TRUE(search().resultsAreaOpen());

    // Enter: the first note listed opens with the word selected; the note
    // left keeps what was typed in it.
    SendMessageW(box(), WM_CHAR, 13, 1);
    pumpMessages();
    EXPECT_EQ(form->state().currentNoteName, u"Вторая");
    EXPECT_EQ(note().selection(), (document::CharRange{14, 19}));
    EXPECT_EQ(note().selectedText(), u"слово");
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_NE(fileOf(L"Первая").find("unsaved"), std::string::npos);
    // The results stay in sight, and the box says what it searches.
    EXPECT_TRUE(search().resultsAreaOpen());
    EXPECT_EQ(win::windowText(box()), L"Поиск во всех заметках");

    // A double click on the second line opens that note.
    document::RichEdit& view = search().resultView();
    const long second = view.lineIndex(1);
    view.setSelection({second, second});
    search().SearchMemoDblClick();
    EXPECT_EQ(form->state().currentNoteName, u"Третья");
    EXPECT_EQ(note().selection(), (document::CharRange{0, 5}));
}

TEST_F(AllNotes, EscAndCtrlFGoBackToTheSearchInTheNoteAndTheMenuWorksWithoutANote) {
    startWith({{L"A", rtf("x target\\par").c_str()}, {L"B", rtf("none\\par").c_str()}});
    // The notes menu's item, from the settings page too.
    form->showPage(program::Page::Settings);
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::ID_N_SEARCHALL, 0), 0);
    EXPECT_EQ(form->activePage(), program::Page::Notes);
    typeSearch(L"target");
    waitForResults();
    EXPECT_EQ(results(), std::vector<std::u16string>{u"A: 1 x target"});

    // Esc: the search in the note again, its placeholder, no results.
    SendMessageW(box(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(search().allNotes().active());
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_EQ(win::windowText(box()), L"Поиск");
    EXPECT_FALSE(search().resultsAreaOpen());

    // Ctrl+F in the editor leaves the mode too.
    pressSearchAll();
    EXPECT_TRUE(search().allNotes().active());
    SetFocus(note().hwnd());
    press(note().hwnd(), 'F', true);
    EXPECT_FALSE(search().allNotes().active());
    EXPECT_EQ(GetFocus(), box());

    // With no note open the box still searches all notes.
    form->notes().noteCommands().N_RemoveClick();
    form->notes().noteCommands().deleteCurrentNote();
    ASSERT_FALSE(note().enabled());
    pressSearchAll();
    form->presenter().PeriodicRefresh();
    EXPECT_TRUE(IsWindowEnabled(box()));
    typeSearch(L"none");
    waitForResults();
    EXPECT_EQ(results(), std::vector<std::u16string>{u"B: 1 none"});
}

TEST_F(AllNotes, ANoteRewrittenWithinTheSameSecondAtTheSameSizeIsReadAgain) {
    startWith({{L"A", rtf("alpha\\par").c_str()}, {L"B", rtf("none\\par").c_str()}});
    pressSearchAll();
    typeSearch(L"alpha");
    waitForResults();
    EXPECT_EQ(results(), std::vector<std::u16string>{u"A: 1 alpha"});
    SendMessageW(box(), WM_KEYUP, VK_ESCAPE, 0);

    // Another program writes as many bytes, its write time a tick later:
    // the same whole second.
    const std::wstring path = noteFile(L"A").wstring();
    FILETIME written{};
    {
        const win::UniqueHandleFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(GetFileTime(file.get(), nullptr, nullptr, &written));
    }
    std::ofstream(noteFile(L"A"), std::ios::binary) << rtf("gamma\\par");
    ULARGE_INTEGER later{{written.dwLowDateTime, written.dwHighDateTime}};
    later.QuadPart += later.QuadPart % 10'000'000 == 9'999'999 ? -1 : 1;
    const FILETIME next{later.LowPart, later.HighPart};
    {
        const win::UniqueHandleFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &next));
    }

    pressSearchAll();
    typeSearch(L"gamma");
    waitForResults();
    EXPECT_EQ(results(), std::vector<std::u16string>{u"A: 1 gamma"});
}
