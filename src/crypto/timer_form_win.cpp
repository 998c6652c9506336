#include "crypto/timer_form_win.h"

#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/wide_win.h"

#include <commctrl.h>

namespace quivra::crypto {

namespace {

int scaled(int v, int dpi) {
    return win::scale(v, static_cast<UINT>(dpi));
}

} // namespace

bool TTimerForm::create(int dpi) {
    dpi_ = dpi;
    const auto px = [dpi](int v) { return scaled(v, dpi); };
    const auto size = ClipboardCountdown::kCountingSize;
    if (!Window::create(L"TTimerForm", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0,
                        px(size.width), px(size.height), nullptr, nullptr,
                        GetSysColorBrush(COLOR_BTNFACE)))
        return false;
    // present() gives the label its text and place.
    label_ = win::createLabel(hwnd(), 1, L"", {0, 0, 0, 0});
    bar_ = win::createControl(PROGRESS_CLASSW, L"", PBS_SMOOTH, hwnd(), 2,
                              {px(98), 0, px(304), px(17)});
    SendMessageW(bar_, PBM_SETRANGE32, 0, ClipboardCountdown::kSteps);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, dpi, 72);
    lf.lfCharSet = RUSSIAN_CHARSET;
    wcscpy(lf.lfFaceName, L"Tahoma");
    font_.reset(CreateFontIndirectW(&lf));
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return true;
}

void TTimerForm::present(const ClipboardCountdown& countdown) {
    if (!countdown.running()) {
        ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    SendMessageW(bar_, PBM_SETPOS, countdown.position(), 0);
    const bool shown = showing();
    if (shown && busyLook_ == countdown.clipboardBusy())
        return;
    setLook(countdown.clipboardBusy(), countdown.notice());
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto size = countdown.windowSize();
    const ClipboardCountdown::Size scaledSize{scaled(size.width, dpi_), scaled(size.height, dpi_)};
    const auto place =
        ClipboardCountdown::windowPlace(work.right - work.left, work.bottom - work.top, scaledSize);
    SetWindowPos(hwnd(), HWND_TOPMOST, place.x, place.y, scaledSize.width, scaledSize.height,
                 shown ? SWP_NOACTIVATE : 0);
    if (!shown)
        ShowWindow(hwnd(), SW_SHOW);
}

void TTimerForm::setLook(bool busy, std::u16string_view text) {
    busyLook_ = busy;
    SetWindowTextW(label_, win::toWide(text).c_str());
    const auto px = [this](int v) { return scaled(v, dpi_); };
    // The notice takes the bar's place and wraps onto a second line.
    const win::Bounds label =
        busy ? win::Bounds{px(2), px(2), px(ClipboardCountdown::kBusySize.width - 4), px(28)}
             : win::Bounds{0, px(3), px(98), px(14)};
    MoveWindow(label_, label.x, label.y, label.w, label.h, TRUE);
    ShowWindow(bar_, busy ? SW_HIDE : SW_SHOW);
}

bool TTimerForm::showing() const {
    return IsWindowVisible(hwnd()) != FALSE;
}

bool TTimerForm::barShowing() const {
    return IsWindowVisible(bar_) != FALSE;
}

std::wstring TTimerForm::labelText() const {
    return win::windowText(label_);
}

int TTimerForm::barPosition() const {
    return static_cast<int>(SendMessageW(bar_, PBM_GETPOS, 0, 0));
}

LRESULT TTimerForm::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE)
        return 0; // only the countdown hides it
    return defaultProc(msg, wp, lp);
}

} // namespace quivra::crypto
