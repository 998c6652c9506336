// The quick-add field under the note list: the results panel while typing,
// Enter that picks a listed note or adds one, and the keys it refuses.
#include "editor/editor_fixture.h"

#include "notes/notes_controller_win.h"
#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;

namespace {

class QuickAdd : public EditorFixture {
  protected:
    void SetUp() override { folder.option(u"ListWidth", u"150"); }
    notes::NotesController& notes() { return form->notes(); }
    HWND field() { return notes().lists().quickAddField(); }
    // Each character typed and its key released, as the keyboard does it.
    void typeQuick(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p) {
            SendMessageW(field(), WM_CHAR, *p, 1);
            SendMessageW(field(), WM_KEYUP, 'A', 0xC0000001);
        }
    }
    void key(WPARAM vk, wchar_t ch) {
        SendMessageW(field(), WM_KEYDOWN, vk, 1);
        if (ch)
            SendMessageW(field(), WM_CHAR, ch, 1);
        SendMessageW(field(), WM_KEYUP, vk, 0xC0000001);
    }
    std::vector<std::wstring> quickList() {
        std::vector<std::wstring> names;
        HWND list = notes().quickAdd().quickSearch().list();
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[256]{};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }
    bool showing() { return notes().quickAdd().quickSearch().shown(); }
    int count() { return notes().lists().noteCount(); }
};

} // namespace

TEST_F(QuickAdd, TypingListsEveryNameHoldingTheTextInAnyCaseAndEmptyingHidesIt) {
    startWith({{L"ра", kRtfA},
               {L"Гараж", kRtfA},
               {L"Дом", kRtfA},
               {L"РАБОТА", kRtfA},
               {L"Работа2", kRtfA},
               {L"кРАн", kRtfA},
               {L"рА", kRtfA}});
    SetFocus(field());
    typeQuick(L"ра");
    ASSERT_TRUE(showing());
    std::vector<std::wstring> expected;
    for (int i = 0; i < count(); ++i) {
        const std::wstring name = win::toWide(notes().lists().noteNameAt(i));
        if (name != L"Дом")
            expected.push_back(name);
    }
    EXPECT_EQ(quickList(), expected); // in the list's order
    // Just above the field, at its left edge.
    RECT panel, box;
    GetWindowRect(notes().quickAdd().quickSearch().hwnd(), &panel);
    GetWindowRect(field(), &box);
    EXPECT_EQ(panel.left, box.left);
    EXPECT_EQ(panel.bottom + 5, box.top);
    key(VK_BACK, 8);
    EXPECT_TRUE(showing());
    key(VK_BACK, 8);
    EXPECT_FALSE(showing());
    typeQuick(L"р|?");
    EXPECT_EQ(win::windowText(field()), L"р");
    // The editor taking the focus hides the results and empties the field.
    typeQuick(L"а");
    SetFocus(note().hwnd());
    EXPECT_FALSE(showing());
    EXPECT_EQ(win::windowText(field()), L"");
}

TEST_F(QuickAdd, EnterPicksTheExactlyListedNameAndAddsAnyOther) {
    startWith({{L"Покупки", kRtfA}, {L"Дела", kRtfB}});
    SetFocus(field());
    typeQuick(L"Покупки");
    key(VK_RETURN, 13);
    EXPECT_EQ(count(), 2); // nothing added
    EXPECT_EQ(GetFocus(), notes().quickAdd().quickSearch().list());
    EXPECT_EQ(SendMessageW(notes().quickAdd().quickSearch().list(), LB_GETCURSEL, 0, 0), 0);
    // Enter in the list opens the note.
    SendMessageW(notes().quickAdd().quickSearch().list(), WM_CHAR, 13, 1);
    EXPECT_EQ(form->state().currentNoteName, u"Покупки");

    SetFocus(field());
    typeQuick(L"покупки");
    key(VK_RETURN, 13);
    // The listed note in other letters: one file holds both, so it opens.
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(form->state().currentNoteName, u"Покупки");
    EXPECT_EQ(GetFocus(), note().hwnd());

    SetFocus(field());
    typeQuick(L"Новая заметка");
    key(VK_RETURN, 13);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(form->state().currentNoteName, u"Новая заметка");
    EXPECT_EQ(note().textLength(), 0);
    EXPECT_FALSE(std::filesystem::exists(noteFile(L"Новая заметка")));
}

TEST_F(QuickAdd, BlankSpaceLeadingAndDeviceNamesOnlySelectTheText) {
    startWith({{L"A", kRtfA}});
    for (const wchar_t* text : {L" пробел", L"con", L""}) {
        SetFocus(note().hwnd());
        SetFocus(field());
        typeQuick(text);
        key(VK_RETURN, 13);
        EXPECT_EQ(count(), 1) << text;
        EXPECT_EQ(GetFocus(), field());
        DWORD from = 1, to = 0;
        SendMessageW(field(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u);
        EXPECT_EQ(to, wcslen(text));
    }
}

TEST_F(QuickAdd, EscGoesToTheEditorOrWithoutANoteToTheList) {
    startWith({{L"A", kRtfA}});
    SetFocus(field());
    key(VK_ESCAPE, 27);
    EXPECT_EQ(GetFocus(), note().hwnd());
    notes().noteCommands().deleteCurrentNote();
    SetFocus(field());
    key(VK_ESCAPE, 27);
    EXPECT_EQ(GetFocus(), notes().lists().namesList());
}
