#include "crypto/timer_form_win.h"

#include "crypto/clipboard_countdown.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"

#include <commctrl.h>

namespace quivra::crypto {

bool TTimerForm::create(int dpi) {
    const auto px = [dpi](int v) { return win::scale(v, static_cast<UINT>(dpi)); };
    if (!Window::create(L"TTimerForm", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0,
                        px(ClipboardCountdown::kWindowWidth), px(ClipboardCountdown::kWindowHeight),
                        nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE)))
        return false;
    label_ = win::createLabel(hwnd(), 1, L"До сброса буфера", {0, px(3), px(98), px(14)});
    bar_ = win::createControl(PROGRESS_CLASSW, L"", PBS_SMOOTH, hwnd(), 2,
                              {px(98), 0, px(304), px(17)});
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, dpi, 72);
    lf.lfCharSet = RUSSIAN_CHARSET;
    wcscpy(lf.lfFaceName, L"Tahoma");
    font_.reset(CreateFontIndirectW(&lf));
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return true;
}

void TTimerForm::showAtWorkAreaCorner() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT wr;
    GetWindowRect(hwnd(), &wr);
    const int w = wr.right - wr.left;
    const int h = wr.bottom - wr.top;
    SetWindowPos(hwnd(), HWND_TOPMOST, (work.right - work.left) - w, (work.bottom - work.top) - h,
                 0, 0, SWP_NOSIZE);
    ShowWindow(hwnd(), SW_SHOW);
}

void TTimerForm::hide() {
    ShowWindow(hwnd(), SW_HIDE);
}

bool TTimerForm::showing() const {
    return IsWindowVisible(hwnd()) != FALSE;
}

void TTimerForm::setBar(int maximum, int position) {
    SendMessageW(bar_, PBM_SETRANGE32, 0, maximum);
    SendMessageW(bar_, PBM_SETPOS, position, 0);
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
