#include "window/confirm_panel_win.h"

#include "win/announce_win.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/dpi_win.h"
#include "win/focus_watch_win.h"
#include "win/fonts_win.h"
#include "win/wide_win.h"
#include "window/presenter_win.h"

#include <oleacc.h>

namespace quivra::window {

namespace {

constexpr int kYesId = IDYES;
constexpr int kNoId = IDNO;
constexpr int kHeadingId = 101;
constexpr int kQuestionId = 102;

// A static control breaks lines at "\r\n"; the question may hold a lone '\r'.
std::wstring withLineBreaks(std::u16string_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += static_cast<wchar_t>(text[i]);
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            out += L'\n';
    }
    return out;
}

} // namespace

void ConfirmPanel::create(program::Host& host, HWND notesPage, HWND notifyTarget,
                          FloatingPanels& panels, std::function<void()> afterAnswer) {
    host_ = &host;
    notesPage_ = notesPage;
    notifyTarget_ = notifyTarget;
    panels_ = &panels;
    afterAnswer_ = std::move(afterAnswer);
    panels.add(*this);
}

void ConfirmPanel::build() {
    if (hwnd())
        return;
    const int dpi = host_->scale(96);
    if (!FloatingPanelWindow::create(notesPage_, notifyTarget_, ID_CONFIRMPANEL, dpi))
        return;
    dpi_ = dpi;
    const auto px = [dpi](int v) { return win::scale(v, dpi); };
    HWND p = hwnd();
    heading_ = win::createLabel(p, kHeadingId, L"Внимание!", {px(78), px(2), px(188), px(53)},
                                SS_OWNERDRAW);
    question_ = win::createLabel(p, kQuestionId, L"", {px(14), px(61), px(322), px(70)});
    yes_ = win::createButton(p, kYesId, L"Да", {px(184), px(126), px(75), px(25)});
    no_ = win::createButton(p, kNoId, L"Нет", {px(265), px(126), px(75), px(25)});
    headingFont_ = win::tahomaFont(px(37), FW_NORMAL);
    questionFont_ = win::tahomaFont(px(13), FW_NORMAL);
    onMouseDown = [this](MouseButton button) { FWarnPanMouseDown(button); };
    addDragHandle(heading_);
    addDragHandle(question_);
    // Enter answers with the focused button, as Space does. The button also
    // takes the Enter character that follows the press: by then the answer
    // has hidden the panel, and the dialog manager, handed a character for a
    // control inside a hidden panel, looks for its mnemonic among the shown
    // controls for ever (Wine's IsDialogMessage never gets back to it).
    // Esc answers "Нет", as it closes every floating panel, and leaves the
    // window shown.
    const auto enterClicks = [this](HWND button) {
        return [this, button](UINT msg, WPARAM wp, LPARAM lp,
                              const win::Subclass::Next& next) -> std::optional<LRESULT> {
            if (auto code = win::wantKeys(msg, lp, next, {VK_RETURN, VK_ESCAPE}))
                return code;
            if (msg == WM_KEYDOWN && wp == VK_RETURN) {
                SendMessageW(button, BM_CLICK, 0, 0);
                return 0;
            }
            if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
                Warn_NoClick();
                return 0;
            }
            if (msg == WM_CHAR && (wp == VK_RETURN || wp == VK_ESCAPE))
                return 0;
            return std::nullopt;
        };
    };
    yesKeys_.attach(yes_, enterClicks(yes_));
    noKeys_.attach(no_, enterClicks(no_));
    win::watchFocusLeaving(p, [this] { FWarnPanExit(); });
    host_->giveFont(p);
    // A screen reader calls the panel by its question and is alerted when it opens.
    setAccessibleName([this] { return win::windowText(question_); }, ROLE_SYSTEM_ALERT);
}

void ConfirmPanel::ask(std::u16string_view question, std::function<void()> onYes, Place place) {
    build();
    // The page's font is laid over every control at start; the question has
    // its own.
    SendMessageW(question_, WM_SETFONT, reinterpret_cast<WPARAM>(questionFont_.get()), FALSE);
    SetWindowTextW(question_, withLineBreaks(question).c_str());
    MoveWindow(question_, win::scale(14, dpi_), win::scale(61, dpi_), win::scale(322, dpi_),
               win::scale(70, dpi_), TRUE);
    onYes_ = std::move(onYes);
    if (place == Place::Default)
        panels_->openAtDefault(*this);
    else
        panels_->open(*this);
    win::announce(hwnd(), win::Announcement::Alert);
    SetFocus(no_);
}

void ConfirmPanel::Warn_YesClick() {
    auto yes = std::move(onYes_);
    onYes_ = nullptr;
    if (yes)
        yes();
    hideAndReturn();
}

void ConfirmPanel::Warn_NoClick() {
    onYes_ = nullptr;
    hideAndReturn();
}

void ConfirmPanel::FWarnPanExit() {
    onYes_ = nullptr;
    if (hwnd())
        ShowWindow(hwnd(), SW_HIDE);
}

void ConfirmPanel::hideAndReturn() {
    if (hwnd())
        ShowWindow(hwnd(), SW_HIDE);
    if (afterAnswer_)
        afterAnswer_();
}

void ConfirmPanel::drawHeading(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, headingFont_.get());
    SetBkMode(dc, TRANSPARENT);
    const int shadow = win::scale(2, dpi_);
    RECT shade = r;
    OffsetRect(&shade, shadow, shadow);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, L"Внимание!", -1, &shade, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, RGB(255, 0, 0));
    DrawTextW(dc, L"Внимание!", -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

LRESULT ConfirmPanel::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        const auto from = reinterpret_cast<HWND>(lp);
        if (from == yes_) {
            Warn_YesClick();
            return 0;
        }
        if (from == no_) {
            Warn_NoClick();
            return 0;
        }
    }
    if (msg == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem == heading_) {
        drawHeading(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    return FloatingPanelWindow::handleMessage(msg, wp, lp);
}

} // namespace quivra::window
