// Leaving a long note swaps a fresh control in for the editor. The user sees
// the same editor: in the same place of the window and of the tab order,
// with the focus and the options it had, and every subsystem's handling of
// it (keys, wheel, focus, shortcuts, hint, skin) goes on over the new one.
#include "editor/editor_fixture.h"

#include "search/search_controller_win.h"
#include "skins/skin_engine_win.h"

#include <commctrl.h>

#include <functional>
#include <string>

namespace quivra::test {
namespace {

// Far more paragraphs than the editor empties in place.
std::string longNote() {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 ";
    for (int i = 0; i < 3000; ++i)
        rtf += "line " + std::to_string(i) + "\\par ";
    return rtf + "}";
}

constexpr const wchar_t* kEditorHint = L"Текст заметки";

COLORREF pixelAt(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

class EditorSwapTest : public EditorFixture {
  protected:
    void SetUp() override {
        folder.copySkins();
        folder.option(u"SkinName", u"Paper");
        const std::string big = longNote();
        startWith({{L"A", kRtfFormatted}, {L"B", kRtfA}, {L"Long", big.c_str()}});
        form->hints().add(note().hwnd(), kEditorHint);
    }
    // Opens the long note with the focus in the editor and leaves it for A
    // as the user does; the editor's control before the switch.
    HWND leaveLongNote() {
        open(L"Long");
        note().focus();
        pumpMessages();
        HWND before = note().hwnd();
        choose(L"A");
        pumpMessages();
        return before;
    }
    int selectedIndex() const {
        return static_cast<int>(
            SendMessageW(form->notes().lists().namesList(), CB_GETCURSEL, 0, 0));
    }
    int enabledFormatButtons() {
        int n = 0;
        for (auto* b : bar().elevenButtons())
            n += b->enabled();
        return n;
    }
    // The text of the hint the tooltip holds for the editor; empty when none.
    std::wstring editorHint() {
        // The mouse moving over the editor, as the main window learns of it.
        SendMessageW(form->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(note().hwnd()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        wchar_t text[80]{};
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = form->hwnd();
        ti.uId = reinterpret_cast<UINT_PTR>(note().hwnd());
        ti.lpszText = text;
        if (!form->hints().tooltip() || !SendMessageW(form->hints().tooltip(), TTM_GETTOOLINFOW, 0,
                                                      reinterpret_cast<LPARAM>(&ti)))
            return L"";
        return text;
    }
    COLORREF editorPageColour() {
        RedrawWindow(note().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT r;
        GetClientRect(note().hwnd(), &r);
        return pixelAt(note().hwnd(), r.right - 10, r.bottom - 10);
    }
};

TEST_F(EditorSwapTest, TheFreshEditorTakesTheOldOnesPlaceFocusAndOptions) {
    struct Fact {
        const char* what;
        std::function<LONG_PTR(HWND)> of;
    };
    HWND main = form->hwnd();
    const auto place = [](HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const auto defaultFormat = [](HWND h) {
        CHARFORMAT2W f{};
        f.cbSize = sizeof f;
        SendMessageW(h, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&f));
        return f;
    };
    const Fact facts[] = {
        {"id", [](HWND h) { return LONG_PTR{GetDlgCtrlID(h)}; }},
        {"parent", [](HWND h) { return reinterpret_cast<LONG_PTR>(GetParent(h)); }},
        {"left", [&](HWND h) { return LONG_PTR{place(h).left}; }},
        {"top", [&](HWND h) { return LONG_PTR{place(h).top}; }},
        {"right", [&](HWND h) { return LONG_PTR{place(h).right}; }},
        {"bottom", [&](HWND h) { return LONG_PTR{place(h).bottom}; }},
        {"window above",
         [](HWND h) { return reinterpret_cast<LONG_PTR>(GetWindow(h, GW_HWNDPREV)); }},
        {"window below",
         [](HWND h) { return reinterpret_cast<LONG_PTR>(GetWindow(h, GW_HWNDNEXT)); }},
        {"next tab stop",
         [&](HWND h) { return reinterpret_cast<LONG_PTR>(GetNextDlgTabItem(main, h, FALSE)); }},
        {"previous tab stop",
         [&](HWND h) { return reinterpret_cast<LONG_PTR>(GetNextDlgTabItem(main, h, TRUE)); }},
        {"has the focus", [](HWND h) { return LONG_PTR{GetFocus() == h}; }},
        {"shown", [](HWND h) { return LONG_PTR{IsWindowVisible(h)}; }},
        // The scroll bars shown depend on the text.
        {"style",
         [](HWND h) { return GetWindowLongPtrW(h, GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL); }},
        {"extended style", [](HWND h) { return GetWindowLongPtrW(h, GWL_EXSTYLE); }},
        {"font", [](HWND h) { return static_cast<LONG_PTR>(SendMessageW(h, WM_GETFONT, 0, 0)); }},
        {"notifications",
         [](HWND h) { return static_cast<LONG_PTR>(SendMessageW(h, EM_GETEVENTMASK, 0, 0)); }},
        {"link detection",
         [](HWND h) { return static_cast<LONG_PTR>(SendMessageW(h, EM_GETAUTOURLDETECT, 0, 0)); }},
        {"default size", [&](HWND h) { return LONG_PTR{defaultFormat(h).yHeight}; }},
        {"default character set", [&](HWND h) { return LONG_PTR{defaultFormat(h).bCharSet}; }},
    };
    open(L"Long");
    note().focus();
    pumpMessages();
    HWND old = note().hwnd();
    std::vector<LONG_PTR> before;
    for (const Fact& fact : facts)
        before.push_back(fact.of(old));
    const COLORREF page = editorPageColour();
    choose(L"A");
    pumpMessages();

    HWND fresh = note().hwnd();
    ASSERT_NE(fresh, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(GetDlgItem(GetParent(fresh), GetDlgCtrlID(fresh)), fresh);
    for (std::size_t i = 0; i < std::size(facts); ++i)
        EXPECT_EQ(facts[i].of(fresh), before[i]) << facts[i].what;
    EXPECT_STREQ(note().defaultCharFormat().szFaceName, L"Tahoma");
    EXPECT_EQ(note().text().substr(0, 5), u"Alpha");
    EXPECT_FALSE(note().modified());
    // The skin's page colour and the hint went along.
    EXPECT_EQ(page, skins::skinEngine().colors()->editor);
    EXPECT_EQ(editorPageColour(), page);
    EXPECT_EQ(editorHint(), kEditorHint);
    // Both scroll bars come when the text needs them.
    note().setPlainText(std::u16string(400, u'w') + std::u16string(200, u'\r'));
    const auto style = GetWindowLongPtrW(note().hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
}

TEST_F(EditorSwapTest, EverySubsystemStillHandlesTheFreshEditor) {
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<bool()> done;
    };
    int expectedIndex = -1;
    bool wasShown = false;
    const Case cases[] = {
        {"Ctrl+wheel steps to the neighbouring note",
         [&] {
             const bool last = indexOf(L"A") + 1 == form->notes().lists().noteCount();
             expectedIndex = indexOf(L"A") + (last ? -1 : 1);
             SendMessageW(note().hwnd(), WM_KEYDOWN, VK_CONTROL, 0);
             SendMessageW(note().hwnd(), WM_MOUSEWHEEL,
                          MAKEWPARAM(MK_CONTROL, last ? WHEEL_DELTA : -WHEEL_DELTA), 0);
             SendMessageW(note().hwnd(), WM_KEYUP, VK_CONTROL, 0);
         },
         [&] { return selectedIndex() == expectedIndex; }},
        {"Esc toggles the window and types nothing",
         [&] {
             wasShown = form->state().isShown;
             SendMessageW(note().hwnd(), WM_CHAR, VK_ESCAPE, 1);
         },
         [&] {
             return form->state().isShown != wasShown && note().text().substr(0, 5) == u"Alpha";
         }},
        {"leaving the editor writes the changed note",
         [&] {
             note().setSelection({0, 0});
             type(L"new ");
             SetFocus(form->notes().lists().listBox());
         },
         [&] {
             return !note().modified() &&
                    readFile(noteFile(L"A")).find("new ") != std::string::npos;
         }},
        {"Ctrl+B makes the selection bold",
         [&] {
             select(0, 5);
             press(note().hwnd(), 'B', true);
         },
         [&] { return (effects() & CFE_BOLD) != 0; }},
        {"Ctrl+F takes the user to the search box", [&] { press(note().hwnd(), 'F', true); },
         [&] { return GetFocus() == form->search().findEdit(); }},
        {"the format buttons follow the focus", [&] { SetFocus(form->notes().lists().listBox()); },
         [&] {
             const bool off = enabledFormatButtons() == 0;
             note().focus();
             return off && enabledFormatButtons() == 11;
         }},
    };
    for (const Case& c : cases) {
        HWND old = leaveLongNote();
        ASSERT_NE(note().hwnd(), old) << c.what;
        ASSERT_EQ(GetFocus(), note().hwnd()) << c.what;
        c.act();
        pumpMessages();
        EXPECT_TRUE(c.done()) << c.what;
    }
}

TEST_F(EditorSwapTest, EveryWayOfLeavingALongNoteSwapsTheEditor) {
    struct Case {
        const char* what;
        std::function<void()> leave;
        std::u16string textAfter;
    };
    const Case cases[] = {
        {"switching to another note", [&] { choose(L"A"); }, u"Alpha"},
        {"reloading it", [&] { choose(L"Long"); }, u"line "},
        {"deleting it", [&] { form->notes().noteCommands().deleteCurrentNote(); }, u""},
    };
    for (const Case& c : cases) {
        open(L"Long");
        note().focus();
        HWND old = note().hwnd();
        c.leave();
        pumpMessages();
        EXPECT_NE(note().hwnd(), old) << c.what;
        EXPECT_FALSE(IsWindow(old)) << c.what;
        EXPECT_EQ(note().text().substr(0, c.textAfter.size()), c.textAfter) << c.what;
        EXPECT_TRUE(IsWindowVisible(note().hwnd())) << c.what;
    }
}

} // namespace
} // namespace quivra::test
