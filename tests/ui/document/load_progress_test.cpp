// The popup shown while a big note loads: painted without a message loop,
// placed over its owner, gone when the load ends; small notes show none.
#include "rich_edit_host.h"

#include "document/load_progress_win.h"
#include "document/load_size.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

using namespace quivra;
using namespace quivra::document;
using quivra::document::test::RichEditTest;

namespace {

std::wstring textOf(HWND hwnd) {
    wchar_t buf[256]{};
    GetWindowTextW(hwnd, buf, 256);
    return buf;
}

// The colour the screen shows at a point of a window, as a user would see it.
COLORREF screenPixel(HWND hwnd, double fx, double fy) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + static_cast<int>((r.right - r.left) * fx),
                                r.top + static_cast<int>((r.bottom - r.top) * fy));
    ReleaseDC(nullptr, screen);
    return c;
}

// An RTF note of about `bytes` bytes of Russian text in paragraphs of 500
// bytes.
std::string bigNote(size_t bytes) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 "
                      "Tahoma;}}\\pard\\f0\\fs16 ";
    std::string paragraph;
    while (paragraph.size() < 500)
        paragraph += "\\'c7\\'e0\\'ec\\'e5\\'f2\\'ea\\'e0 text {\\b bold} ";
    paragraph += "\\par\r\n";
    while (rtf.size() < bytes)
        rtf += paragraph;
    return rtf + "}";
}

// Records, on this thread, what happens while a load runs.
struct LoadWatch {
    static inline LoadWatch* current = nullptr;
    int popups = 0;
    int messagesTaken = 0;
    HWND popup = nullptr;

    static LRESULT CALLBACK cbt(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND) {
            wchar_t cls[64]{};
            GetClassNameW(reinterpret_cast<HWND>(wp), cls, 64);
            if (std::wstring(cls) == L"QuivraLoadProgress") {
                ++current->popups;
                current->popup = reinterpret_cast<HWND>(wp);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static LRESULT CALLBACK taken(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && wp == PM_REMOVE)
            ++current->messagesTaken;
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    template <typename F> void during(F load) {
        current = this;
        const DWORD thread = GetCurrentThreadId();
        HHOOK hooks[] = {SetWindowsHookExW(WH_CBT, cbt, nullptr, thread),
                         SetWindowsHookExW(WH_GETMESSAGE, taken, nullptr, thread)};
        load();
        for (HHOOK h : hooks)
            UnhookWindowsHookEx(h);
        current = nullptr;
    }
};

} // namespace

TEST_F(RichEditTest, ProgressPopupPaintsWithoutAMessageLoop) {
    document::LoadProgressWindow popup(host.hwnd());
    ASSERT_TRUE(popup.hwnd());
    EXPECT_TRUE(IsWindowVisible(popup.hwnd()));
    EXPECT_EQ(GetWindow(popup.hwnd(), GW_OWNER), host.hwnd());
    EXPECT_TRUE(GetWindowLongPtrW(popup.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetActiveWindow(), popup.hwnd());
    EXPECT_NE(GetFocus(), popup.hwnd());

    // The owner is hidden: the popup stands in the middle of the work area.
    RECT work, r;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(popup.hwnd(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);

    // No message is taken from the queue from here on; the screen must
    // still show each step.
    const COLORREF emptyLeft = screenPixel(popup.bar(), 0.1, 0.5);
    EXPECT_EQ(emptyLeft, screenPixel(popup.bar(), 0.9, 0.5));
    popup.setRead(0.5);
    EXPECT_EQ(SendMessageW(popup.bar(), PBM_GETPOS, 0, 0), 500);
    EXPECT_EQ(textOf(popup.status()), L"Прочитано 50 %");
    EXPECT_NE(screenPixel(popup.bar(), 0.1, 0.5), emptyLeft);
    EXPECT_EQ(screenPixel(popup.bar(), 0.9, 0.5), emptyLeft);
    popup.setLayingOut();
    EXPECT_EQ(SendMessageW(popup.bar(), PBM_GETPOS, 0, 0), 1000);
    EXPECT_NE(screenPixel(popup.bar(), 0.9, 0.5), emptyLeft);
    EXPECT_NE(textOf(popup.status()).find(L"размещается"), std::wstring::npos);
}

TEST_F(RichEditTest, ProgressPopupStandsOverAVisibleOwner) {
    SetWindowPos(host.hwnd(), nullptr, 100, 80, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(host.hwnd(), SW_SHOWNOACTIVATE);
    document::LoadProgressWindow popup(host.hwnd());
    RECT owner, r;
    GetWindowRect(host.hwnd(), &owner);
    GetWindowRect(popup.hwnd(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
}

TEST_F(RichEditTest, BigNotesShowTheirProgressWhileTheyLoad) {
    const std::string big = bigNote(document::kBigNoteBytes + 1000);
    LoadWatch watch;
    watch.during([&] { edit.loadFileBytes(big); });
    EXPECT_EQ(watch.popups, 1);
    EXPECT_EQ(watch.messagesTaken, 0);
    EXPECT_FALSE(IsWindow(watch.popup)); // gone with the load
    EXPECT_GT(edit.textLength(), 200000);

    // Plain text with many lines shows it too; a small note does not.
    const std::u16string lines(document::kBigNoteParagraphs, u'\r');
    LoadWatch plain;
    plain.during([&] { edit.setPlainText(lines); });
    EXPECT_EQ(plain.popups, 1);
    edit.setReplaceable(true); // emptying 100,000 lines takes minutes
    LoadWatch small;
    small.during([&] { edit.loadFileBytes(bigNote(10000)); });
    EXPECT_EQ(small.popups, 0);
}

TEST_F(RichEditTest, EmptyingManyParagraphsShowsItsProgress) {
    edit.setPlainText(std::u16string(6000, u'\r'));
    LoadWatch watch;
    watch.during([&] { edit.empty(); });
    EXPECT_EQ(watch.popups, 1);
    EXPECT_EQ(watch.messagesTaken, 0);
    EXPECT_EQ(edit.textLength(), 0);
    EXPECT_FALSE(edit.modified());
}

TEST_F(RichEditTest, AReplaceableEditorTellsItsListenersOfAFreshControlForManyParagraphs) {
    SetWindowPos(edit.hwnd(), nullptr, 7, 9, 321, 123, SWP_NOZORDER);
    edit.setWordWrap(true);
    edit.setReadOnly(true);
    edit.setEventMask(ENM_LINK | ENM_CHANGE);
    edit.setAutoUrlDetect(true);
    edit.setBackground(RGB(10, 20, 30));
    HWND old = edit.hwnd();
    struct Listener : document::EditorSwapListener {
        std::vector<std::pair<HWND, HWND>> told;
        void editorReplaced(HWND from, HWND fresh) override {
            EXPECT_TRUE(IsWindow(from)); // still there to take things from
            told.emplace_back(from, fresh);
        }
    } listener;
    edit.setReplaceable(true);
    edit.addSwapListener(listener);
    edit.empty(); // a few paragraphs: emptied in place
    EXPECT_TRUE(listener.told.empty());

    edit.setPlainText(std::u16string(100000, u'\r') + u"последняя");
    edit.empty();
    ASSERT_EQ(listener.told.size(), 1u);
    EXPECT_EQ(listener.told[0], std::pair(old, edit.hwnd()));
    EXPECT_NE(edit.hwnd(), old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(GetDlgCtrlID(edit.hwnd()), 100);
    EXPECT_EQ(GetParent(edit.hwnd()), host.hwnd());
    RECT r;
    GetWindowRect(edit.hwnd(), &r);
    MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 9);
    EXPECT_EQ(r.right - r.left, 321);
    EXPECT_TRUE(edit.wordWrap());
    EXPECT_TRUE(edit.readOnly());
    EXPECT_EQ(edit.eventMask(), static_cast<DWORD>(ENM_LINK | ENM_CHANGE));
    EXPECT_TRUE(edit.autoUrlDetect());
    EXPECT_EQ(edit.textLength(), 0);
    EXPECT_FALSE(edit.modified());
    EXPECT_STREQ(edit.defaultCharFormat().szFaceName, L"Tahoma");
    // The fresh control works like the old one.
    edit.replaceSelection(u"текст");
    EXPECT_EQ(edit.text(), u"текст");
}

TEST_F(RichEditTest, WrappingALongParagraphSaysItTakesTime) {
    std::u16string longParagraph;
    while (longParagraph.size() < document::kSlowWrapParagraph)
        longParagraph += u"слово ";
    edit.setPlainText(u"короткий\r" + longParagraph);
    LoadWatch wrap;
    wrap.during([&] { edit.setWordWrap(true); });
    EXPECT_EQ(wrap.popups, 1);
    EXPECT_EQ(wrap.messagesTaken, 0);
    EXPECT_TRUE(edit.wordWrap());

    // Loading such a note while wrap is on says so too; short paragraphs
    // wrap at once.
    LoadWatch load;
    load.during([&] { edit.setPlainText(longParagraph); });
    EXPECT_EQ(load.popups, 1);
    edit.setWordWrap(false);
    edit.setPlainText(std::u16string(200, u'x') + u"\r" + std::u16string(200, u'y'));
    LoadWatch shortOnes;
    shortOnes.during([&] { edit.setWordWrap(true); });
    EXPECT_EQ(shortOnes.popups, 0);
}
