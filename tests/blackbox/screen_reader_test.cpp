// The program as a screen reader meets it: from this process, through the
// accessible objects the program's windows hand out for WM_GETOBJECT, as
// AccessibleObjectFromWindow gets them.
#include "called_in_program.h"

#include "app/app_ids.h"
#include "crypto/crypto_ids.h"
#include "editor/editor_ids.h"
#include "search/search_ids.h"
#include "settings/settings_ids.h"
#include "win/com_ref_win.h"
#include "window/window_ids.h"

#include <commctrl.h>
#include <oleacc.h>

namespace quivra::blackbox {

namespace {

constexpr GUID kIidAccessible{
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

using Accessible = win::ComRef<IAccessible>;

VARIANT child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

Accessible objectOf(HWND window) {
    Accessible a;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               a.putVoid());
    return a;
}

std::wstring taken(BSTR text) {
    std::wstring s = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return s;
}

std::wstring nameOf(IAccessible& a, long id = CHILDID_SELF) {
    BSTR text = nullptr;
    a.get_accName(child(id), &text);
    return taken(text);
}

std::wstring descriptionOf(IAccessible& a, long id) {
    BSTR text = nullptr;
    a.get_accDescription(child(id), &text);
    return taken(text);
}

long numberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& a,
              long id) {
    VARIANT v;
    VariantInit(&v);
    (a.*get)(child(id), &v);
    return v.vt == VT_I4 ? v.lVal : -1;
}

long roleOf(IAccessible& a, long id = CHILDID_SELF) {
    return numberOf(&IAccessible::get_accRole, a, id);
}

long stateOf(IAccessible& a, long id) {
    return numberOf(&IAccessible::get_accState, a, id);
}

bool russian(const std::wstring& name) {
    for (wchar_t c : name)
        if (c >= 0x0410 && c <= 0x044F)
            return true;
    return false;
}

class ScreenReader : public CalledInProgram {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CalledInProgram::SetUp();
    }
    void TearDown() override {
        CalledInProgram::TearDown();
        CoUninitialize();
    }
    // The state of a format bar button once the 50 ms refresh has caught up.
    bool becomes(IAccessible& bar, long id, long bits, bool set) {
        return waitFor([&] { return ((stateOf(bar, id) & bits) == bits) == set; }, 3000);
    }
};

// The format bar's buttons, in the bar's order, as a screen reader lists them.
struct BarButton {
    const wchar_t* name;
    long role;
};
constexpr BarButton kFormatBar[] = {
    {L"Жирный", ROLE_SYSTEM_CHECKBUTTON},
    {L"Курсив", ROLE_SYSTEM_CHECKBUTTON},
    {L"Подчеркнутый", ROLE_SYSTEM_CHECKBUTTON},
    {L"Зачеркнутый", ROLE_SYSTEM_CHECKBUTTON},
    {L"Выровнять по левому краю", ROLE_SYSTEM_CHECKBUTTON},
    {L"Выровнять по центру", ROLE_SYSTEM_CHECKBUTTON},
    {L"Выровнять по правому краю", ROLE_SYSTEM_CHECKBUTTON},
    {L"Шрифт", ROLE_SYSTEM_PUSHBUTTON},
    {L"Цвет текста", ROLE_SYSTEM_PUSHBUTTON},
    {L"Фон текста", ROLE_SYSTEM_PUSHBUTTON},
    {L"Список", ROLE_SYSTEM_PUSHBUTTON},
    {L"Дополнительно", ROLE_SYSTEM_PUSHBUTTON},
};
constexpr long kBold = 1;
constexpr long kItalic = 2;
constexpr long kLeft = 5;
constexpr long kTextColour = 9;

} // namespace

TEST_F(ScreenReader, FormatBarButtonsHaveNamesRolesStatesAndTheirClick) {
    HWND barWindow = findChildById(window, editor::ID_FORMATBAR);
    ASSERT_NE(barWindow, nullptr);
    Accessible bar = objectOf(barWindow);
    ASSERT_TRUE(bar) << "the bar answers no WM_GETOBJECT";
    EXPECT_EQ(nameOf(*bar.get()), L"Панель форматирования");
    EXPECT_EQ(roleOf(*bar.get()), ROLE_SYSTEM_TOOLBAR);
    LONG count = 0;
    ASSERT_EQ(bar->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, static_cast<LONG>(std::size(kFormatBar)));

    focusControl(window, editor);
    SendMessageW(editor, EM_SETSEL, 0, 5); // "alpha"
    settle(window);
    const RECT barRect = screenRect(barWindow);
    int lastLeft = -1;
    for (long id = 1; id <= count; ++id) {
        SCOPED_TRACE(id);
        const BarButton& want = kFormatBar[id - 1];
        const std::wstring name = nameOf(*bar.get(), id);
        EXPECT_EQ(name, want.name);
        EXPECT_TRUE(russian(name));
        EXPECT_EQ(roleOf(*bar.get(), id), want.role);
        EXPECT_EQ(stateOf(*bar.get(), id) & STATE_SYSTEM_UNAVAILABLE, 0);
        BSTR action = nullptr;
        EXPECT_EQ(bar->get_accDefaultAction(child(id), &action), S_OK);
        EXPECT_FALSE(taken(action).empty());
        LONG x = 0, y = 0, w = 0, h = 0;
        ASSERT_EQ(bar->accLocation(&x, &y, &w, &h, child(id)), S_OK);
        EXPECT_GT(x, lastLeft) << "not in the bar's order";
        lastLeft = x;
        EXPECT_TRUE(x >= barRect.left && x + w <= barRect.right && y >= barRect.top &&
                    y + h <= barRect.bottom);
    }
    // The second line of a hint describes its button.
    EXPECT_EQ(descriptionOf(*bar.get(), 9), L"Правый щелчок мышки - сбросить");
    EXPECT_TRUE(becomes(*bar.get(), kLeft, STATE_SYSTEM_CHECKED, true));
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_CHECKED, false));

    // Ctrl+B: the bold button reads as pressed, italic does not.
    pressKeys(window, {VK_CONTROL, 'B'});
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED, true));
    EXPECT_TRUE(becomes(*bar.get(), kItalic, STATE_SYSTEM_CHECKED, false));

    // The screen reader's click on "Жирный" makes a plain selection bold.
    SendMessageW(editor, EM_SETSEL, 6, 9); // "one"
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_CHECKED, false));
    EXPECT_EQ(bar->accDoDefaultAction(child(kBold)), S_OK);
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_CHECKED, true));
    SendMessageW(editor, EM_SETSEL, 10, 14); // "beta", never touched
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_CHECKED, false));
    SendMessageW(editor, EM_SETSEL, 6, 9);
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_CHECKED, true));

    // "Цвет текста" opens the palette, read as a list of named colours; the
    // screen reader's pick closes it and gives the editor the focus back.
    EXPECT_EQ(bar->accDoDefaultAction(child(kTextColour)), S_OK);
    HWND paletteWindow = nullptr;
    ASSERT_TRUE(waitFor([&] {
        paletteWindow = findChildWhere(window, [](HWND w) {
            return hasClass(w, L"QuivraColourPalette") && IsWindowVisible(w);
        });
        return paletteWindow != nullptr;
    }));
    Accessible palette = objectOf(paletteWindow);
    ASSERT_TRUE(palette);
    EXPECT_EQ(nameOf(*palette.get()), L"Цвет текста");
    EXPECT_EQ(roleOf(*palette.get()), ROLE_SYSTEM_LIST);
    LONG colours = 0;
    ASSERT_EQ(palette->get_accChildCount(&colours), S_OK);
    EXPECT_EQ(colours, 16);
    EXPECT_EQ(nameOf(*palette.get(), 10), L"Красный");
    EXPECT_EQ(roleOf(*palette.get(), 10), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(palette->accDoDefaultAction(child(10)), S_OK);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(paletteWindow); }));
    EXPECT_TRUE(waitFor([&] { return focusedIn(window) == editor; }));

    // With the focus out of the editor the buttons are unavailable.
    focusControl(window, findChildById(window, search::ID_FINDEDIT));
    EXPECT_TRUE(becomes(*bar.get(), kBold, STATE_SYSTEM_UNAVAILABLE, true));
}

// Every control the user can reach on the notes page, the settings page and
// the password panel carries a name, and the panel is called by its title.
TEST_F(ScreenReader, EveryControlOnThePagesAndThePasswordPanelIsNamed) {
    struct Named {
        HWND control;
        const wchar_t* name;
    };
    const Named known[] = {
        {findChildById(window, search::ID_FINDEDIT), L"Поиск"},
        {findChildById(window, notes::ID_QUICKADD),
         L"Быстрый поиск/Быстрое добавление заметки (Enter -добавить)"},
        {findChildById(window, window::ID_HIDEBUTTON), L"Скрыть"},
        {findChildById(window, notes::ID_NOTESLB), L"Список заметок"},
        {GetParent(names), L"Панель заметок"},
        {GetParent(findChildById(window, search::ID_FINDEDIT)), L"Панель поиска"},
    };
    for (const Named& n : known) {
        ASSERT_NE(n.control, nullptr) << n.name;
        Accessible a = objectOf(n.control);
        ASSERT_TRUE(a) << n.name;
        EXPECT_EQ(nameOf(*a.get()), n.name);
    }

    // Each visible button, check box, edit and list a user can operate.
    const auto expectAllNamed = [this](const char* where) {
        for (const wchar_t* cls :
             {L"Button", L"Edit", L"ComboBox", L"ListBox", L"msctls_trackbar32"})
            for (HWND w : findChildren(window, cls))
                if (IsWindowVisible(w) && IsWindowEnabled(w)) {
                    Accessible a = objectOf(w);
                    ASSERT_TRUE(a) << where;
                    EXPECT_FALSE(nameOf(*a.get()).empty())
                        << where << ": a " << std::string(cls, cls + wcslen(cls))
                        << " has no name, id " << GetDlgCtrlID(w);
                }
    };
    expectAllNamed("notes page");

    // The password panel, opened by Alt+C: called by its title, the fields
    // by their labels.
    focusControl(window, editor);
    SendMessageW(editor, EM_SETSEL, 0, 0);
    pressKeys(window, {VK_MENU, 'C'});
    HWND panel = findChildById(window, crypto::ID_ECPANEL);
    ASSERT_TRUE(panel && IsWindowVisible(panel));
    Accessible p = objectOf(panel);
    ASSERT_TRUE(p);
    EXPECT_EQ(nameOf(*p.get()), L"Зашифровка");
    EXPECT_EQ(roleOf(*p.get()), ROLE_SYSTEM_DIALOG);
    Accessible field = objectOf(findChildById(panel, crypto::ID_ECEDIT));
    ASSERT_TRUE(field);
    EXPECT_EQ(nameOf(*field.get()), L"Пароль:");
    expectAllNamed("password panel");
    // Esc closes the panel and leaves the window where it is.
    pressKeys(window, {VK_ESCAPE});
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(panel); }, 3000));
    EXPECT_EQ(screenRect(window).left, 0);

    // The question before a delete (Ctrl+D): an alert named by its question;
    // Enter answers "Нет".
    focusControl(window, editor);
    pressKeys(window, {VK_CONTROL, 'D'});
    HWND confirm = findChildById(window, window::ID_CONFIRMPANEL);
    ASSERT_TRUE(confirm && IsWindowVisible(confirm));
    Accessible question = objectOf(confirm);
    ASSERT_TRUE(question);
    EXPECT_NE(nameOf(*question.get()).find(L"удалить"), std::wstring::npos);
    EXPECT_EQ(roleOf(*question.get()), ROLE_SYSTEM_ALERT);
    expectAllNamed("confirmation panel");
    pressKeys(window, {VK_RETURN});
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(confirm); }, 3000));
    EXPECT_EQ(shownNote(), L"A");

    // The settings page, reached by Ctrl+Tab, and each of its own pages,
    // chosen with the arrow keys on its tabs.
    HWND pages = findChildById(window, app::ID_QUIVRAPAGES);
    ASSERT_NE(pages, nullptr);
    pressKeys(window, {VK_CONTROL, VK_TAB});
    ASSERT_TRUE(waitFor([&] { return SendMessageW(pages, TCM_GETCURSEL, 0, 0) == 1; }, 3000));
    HWND tabs = findChildById(window, settings::ID_SETTINGSP);
    ASSERT_NE(tabs, nullptr);
    focusControl(window, tabs);
    for (LRESULT tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        ASSERT_TRUE(waitFor([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == tab; }, 3000));
        settle(window);
        expectAllNamed("settings page");
        pressKeys(window, {VK_RIGHT});
    }
}

} // namespace quivra::blackbox

namespace quivra::blackbox {

// Shift+F10 and the menu key open the editor's context menu under the caret,
// here on the third line, well below the editor's corner.
TEST_F(ScreenReader, KeysOpenTheEditorMenuAtTheCaret) {
    focusControl(window, editor);
    const LRESULT thirdLine = SendMessageW(editor, EM_LINEINDEX, 2, 0);
    const RECT area = screenRect(editor);
    for (std::initializer_list<WORD> keys :
         {std::initializer_list<WORD>{VK_SHIFT, VK_F10}, std::initializer_list<WORD>{VK_APPS}}) {
        SendMessageW(editor, EM_SETSEL, thirdLine + 2, thirdLine + 2);
        pressKeys(window, keys);
        HWND menu = nullptr;
        ASSERT_TRUE(waitFor(
            [&] {
                menu = FindWindowW(L"#32768", nullptr);
                return menu && IsWindowVisible(menu);
            },
            3000))
            << "no menu for " << *keys.begin();
        const RECT at = screenRect(menu);
        EXPECT_GT(at.top, area.top + 20);
        EXPECT_LT(at.top, area.bottom);
        EXPECT_GE(at.left, area.left);
        pressKeys(window, {VK_ESCAPE});
        EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(menu); }, 3000));
        EXPECT_EQ(screenRect(window).left, 0) << "Esc in the menu hid the window";
    }
}

} // namespace quivra::blackbox
