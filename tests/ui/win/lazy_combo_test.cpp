// A combo box made on first use: until then its stand-in answers for it from
// a copy of its contents and looks like it; the first click, focus or other
// combo-box message makes the real control with those contents, in the same
// place and tab order.
#include "win/lazy_combo_win.h"

#include "support/program_folder.h"
#include "support/screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using namespace quivra;

namespace {

class LazyComboTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                  400, 200, nullptr, nullptr, nullptr, nullptr);
        before_ = CreateWindowExW(0, L"BUTTON", L"B", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10,
                                  40, 22, window_, nullptr, nullptr, nullptr);
        LOGFONTW lf{};
        lf.lfHeight = -11;
        lf.lfCharSet = RUSSIAN_CHARSET;
        wcscpy_s(lf.lfFaceName, LF_FACESIZE, L"Tahoma");
        font_.reset(CreateFontIndirectW(&lf));
    }
    void TearDown() override { DestroyWindow(window_); }

    void create(win::LazyCombo& combo, win::LazyCombo::Kind kind) {
        // As the window does: made, given the font, then placed.
        combo.create(window_, 77, {0, 0, 1, 300}, kind);
        SendMessageW(combo.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        combo.move(60, 10, 150, 300);
    }
    static std::wstring itemText(HWND combo, int index) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)),
                          L'\0');
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        return text;
    }
    static int find(HWND combo, const wchar_t* text, int after = -1) {
        return static_cast<int>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(after),
                                             reinterpret_cast<LPARAM>(text)));
    }
    static RECT rectOf(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        return r;
    }

    HWND window_ = nullptr;
    HWND before_ = nullptr;
    win::UniqueFont font_;
};

bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

} // namespace

TEST_F(LazyComboTest, StandInAnswersFromItsCopyAndHandsItAllOverWhenMade) {
    win::LazyCombo combo;
    int madeCalls = 0;
    combo.onMade = [&](HWND) { ++madeCalls; };
    create(combo, win::LazyCombo::Kind::List);
    HWND face = combo.hwnd();
    EXPECT_EQ(FindWindowExW(window_, nullptr, WC_COMBOBOXW, nullptr), nullptr);
    EXPECT_EQ(GetDlgCtrlID(face), 77);

    for (const wchar_t* item : {L"Дела", L"дела", L"Планы", L"Пароли"})
        SendMessageW(face, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(SendMessageW(face, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(face, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(win::windowText(face), L"");
    // The list's exact search: any case, from the item after the one given,
    // round to the start.
    EXPECT_EQ(find(face, L"ПЛАНЫ"), 2);
    EXPECT_EQ(find(face, L"ДЕЛА"), 0);
    EXPECT_EQ(find(face, L"дела", 0), 1);
    EXPECT_EQ(find(face, L"дела", 1), 0);
    EXPECT_EQ(find(face, L"План"), CB_ERR);
    EXPECT_EQ(itemText(face, 3), L"Пароли");
    EXPECT_EQ(SendMessageW(face, CB_GETLBTEXTLEN, 4, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(face, CB_SETCURSEL, 9, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(face, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(face, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(win::windowText(face), L"Планы");
    EXPECT_FALSE(SendMessageW(face, CB_GETDROPPEDSTATE, 0, 0));
    EnableWindow(face, FALSE);
    EXPECT_FALSE(combo.made());
    const RECT faceRect = rectOf(face);

    HWND made = combo.make();
    ASSERT_TRUE(combo.made());
    EXPECT_EQ(combo.hwnd(), made);
    EXPECT_FALSE(IsWindow(face));
    EXPECT_EQ(combo.make(), made);
    EXPECT_EQ(madeCalls, 1);
    wchar_t cls[32]{};
    GetClassNameW(made, cls, 32);
    EXPECT_STREQ(cls, WC_COMBOBOXW);
    EXPECT_EQ(GetDlgCtrlID(made), 77);
    EXPECT_EQ(GetWindow(before_, GW_HWNDNEXT), made)
        << "not in the stand-in's place in the tab order";
    EXPECT_TRUE(sameRect(rectOf(made), faceRect));
    EXPECT_FALSE(IsWindowEnabled(made));
    EXPECT_TRUE(IsWindowVisible(made));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(made, WM_GETFONT, 0, 0)), font_.get());
    EXPECT_EQ(SendMessageW(made, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(made, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(itemText(made, 1), L"дела");
    EXPECT_EQ(win::windowText(made), L"Планы");
}

TEST_F(LazyComboTest, EditableBoxKeepsItsTextAndAClickOrFocusMakesIt) {
    for (bool byClick : {true, false}) {
        SCOPED_TRACE(byClick ? "click" : "focus");
        win::LazyCombo combo;
        create(combo, win::LazyCombo::Kind::Editable);
        HWND face = combo.hwnd();
        for (const wchar_t* item : {L"8", L"10", L"12"})
            SendMessageW(face, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageW(face, CB_SETCURSEL, 1, 0);
        EXPECT_EQ(win::windowText(face), L"10");
        SetWindowTextW(face, L"13"); // typed sizes need not be in the list
        EXPECT_EQ(win::windowText(face), L"13");
        EXPECT_EQ(SendMessageW(face, CB_GETCURSEL, 0, 0), 1);

        if (byClick) {
            SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 8));
            SendMessageW(GetFocus(), WM_LBUTTONUP, 0, MAKELPARAM(10, 8));
        } else {
            SetFocus(face);
        }
        ASSERT_TRUE(combo.made());
        HWND made = combo.hwnd();
        HWND edit = FindWindowExW(made, nullptr, L"Edit", nullptr);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_EQ(win::windowText(made), L"13");
        EXPECT_EQ(SendMessageW(made, CB_GETCOUNT, 0, 0), 3);
        DestroyWindow(made);
    }
}

TEST_F(LazyComboTest, StandInLooksLikeTheComboBoxItMakes) {
    // (Under Wine, visual styles cannot be switched off for one window, so
    // only the styled look is compared here.)
    for (auto kind : {win::LazyCombo::Kind::List, win::LazyCombo::Kind::Editable}) {
        for (bool enabled : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << (kind == win::LazyCombo::Kind::List ? "list" : "edit")
                         << (enabled ? " enabled" : " disabled"));
            win::LazyCombo combo;
            create(combo, kind);
            SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Заметка 12"));
            SendMessageW(combo.hwnd(), CB_SETCURSEL, 0, 0);
            EnableWindow(combo.hwnd(), enabled);
            UpdateWindow(window_);
            test::pumpMessages();
            const RECT r = rectOf(combo.hwnd());
            const auto face = test::captureScreen(r);
            combo.make();
            UpdateWindow(window_);
            test::pumpMessages();
            ASSERT_TRUE(sameRect(rectOf(combo.hwnd()), r));
            const auto real = test::captureScreen(r);
            int differing = 0;
            for (int y = 0; y < face.height; ++y)
                for (int x = 0; x < face.width; ++x)
                    differing += face.at(x, y) != real.at(x, y);
            EXPECT_EQ(differing, 0) << face.width << "x" << face.height;
            DestroyWindow(combo.hwnd());
        }
    }
}

TEST_F(LazyComboTest, StandInThatStaysWhereItIsMadeTakesTheHeightOfItsFont) {
    win::LazyCombo combo;
    combo.create(window_, 77, {60, 10, 46, 200}, win::LazyCombo::Kind::Editable,
                 win::LazyCombo::Place::Here);
    SendMessageW(combo.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const RECT r = rectOf(combo.hwnd());
    combo.make();
    EXPECT_TRUE(sameRect(rectOf(combo.hwnd()), r))
        << r.bottom - r.top << " against "
        << rectOf(combo.hwnd()).bottom - rectOf(combo.hwnd()).top;
    DestroyWindow(combo.hwnd());
}
