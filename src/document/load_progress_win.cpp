#include "document/load_progress_win.h"

#include "win/controls_win.h"
#include "win/dpi_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace quivra::document {

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 100;
constexpr int kBarRange = 1000;
constexpr std::uint64_t kRepaintMs = 100;

// The middle of what the owner covers of its monitor's work area, or of the
// work area when the owner is off it (docked out of sight) or missing.
POINT centreFor(HWND owner) {
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                             : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    RECT area = info.rcWork;
    RECT ownerRect{};
    RECT shown{};
    if (owner && IsWindowVisible(owner) && GetWindowRect(owner, &ownerRect) &&
        IntersectRect(&shown, &ownerRect, &area))
        area = shown;
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

} // namespace

LoadProgressWindow::LoadProgressWindow(HWND owner, const wchar_t* title) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    const UINT dpi = owner ? win::dpiForWindow(owner) : win::systemDpi();
    auto px = [dpi](int v) { return win::scale(v, dpi); };
    const POINT centre = centreFor(owner);
    const int w = px(kWidth), h = px(kHeight);
    if (!create(L"QuivraLoadProgress", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                WS_POPUP | WS_BORDER, L"Quivra", centre.x - w / 2, centre.y - h / 2, w, h, owner,
                nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return;
    font_.reset(CreateFontW(-px(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    title_ = win::createLabel(hwnd(), 0, title, {px(16), px(12), px(kWidth - 32), px(16)});
    status_ =
        win::createLabel(hwnd(), 0, L"Прочитано 0 %", {px(16), px(32), px(kWidth - 32), px(30)});
    bar_ = win::createControl(PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, hwnd(), 0,
                              {px(16), px(70), px(kWidth - 32), px(14)});
    SendMessageW(bar_, PBM_SETRANGE32, 0, kBarRange);
    win::setFontTree(hwnd(), font_.get());
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    repaint();
}

void LoadProgressWindow::setProgress(double fraction, const wchar_t* done) {
    if (!hwnd())
        return;
    fraction = std::clamp(fraction, 0.0, 1.0);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::lround(fraction * kBarRange)), 0);
    const int percent = static_cast<int>(fraction * 100);
    if (percent != shownPercent_) {
        shownPercent_ = percent;
        SetWindowTextW(status_,
                       (std::wstring(done) + L" " + std::to_wstring(percent) + L" %").c_str());
    }
    if (fraction >= 1.0 || GetTickCount64() - lastPaint_ >= kRepaintMs)
        repaint();
}

void LoadProgressWindow::setLayingOut() {
    if (!hwnd())
        return;
    SendMessageW(bar_, PBM_SETPOS, kBarRange, 0);
    SetWindowTextW(status_, L"Заметка прочитана, текст размещается в окне. Программа ответит, "
                            L"когда это закончится.");
    repaint();
}

void LoadProgressWindow::setMessage(const wchar_t* message) {
    if (!hwnd())
        return;
    ShowWindow(bar_, SW_HIDE);
    RECT client;
    GetClientRect(hwnd(), &client);
    RECT title;
    GetWindowRect(title_, &title);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&title), 2);
    MoveWindow(status_, title.left, title.bottom + (title.bottom - title.top) / 4,
               title.right - title.left, client.bottom - title.bottom, FALSE);
    SetWindowTextW(status_, message);
    repaint();
}

void LoadProgressWindow::repaint() {
    // Paints the popup and its controls now, through their own WM_PAINT; the
    // thread's message queue is left alone.
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    lastPaint_ = GetTickCount64();
}

LRESULT LoadProgressWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (msg == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    return defaultProc(msg, wp, lp);
}

} // namespace quivra::document
