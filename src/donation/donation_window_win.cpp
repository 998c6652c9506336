#include "donation/donation_window_win.h"

#include "win/dpi_win.h"

namespace quivra::donation {

namespace {
constexpr COLORREF kHeaderColour = RGB(0x2F, 0x4F, 0x7F);
constexpr COLORREF kHeaderTextColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kFrameColour = RGB(0x40, 0x40, 0x40);
} // namespace

bool DonationWindow::createFrame(const wchar_t* className, const wchar_t* title, int width,
                                 int height) {
    dpi_ = win::systemDpi();
    const int w = px(width);
    const int h = px(height);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    // A tool window, so that it gets no taskbar button; always on top, so
    // that it opens over the main window, which is always on top as well.
    if (!create(className, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPCHILDREN, title, x,
                y, w, h, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE)))
        return false;
    headerBrush_.reset(CreateSolidBrush(kHeaderColour));
    frameBrush_.reset(CreateSolidBrush(kFrameColour));
    return true;
}

void DonationWindow::show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void DonationWindow::hide() {
    ShowWindow(hwnd(), SW_HIDE);
}

bool DonationWindow::isShowing() const {
    return hwnd() && IsWindowVisible(hwnd());
}

int DonationWindow::px(int designed) const {
    return win::scale(designed, dpi_);
}

HFONT DonationWindow::font(int charHeight, int weight) {
    fonts_.emplace_back(CreateFontW(-px(charHeight), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                    RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
    return fonts_.back().get();
}

HWND DonationWindow::addControl(const wchar_t* className, const wchar_t* text, DWORD style, int id,
                                int x, int y, int w, int h, HFONT font, DWORD exStyle) {
    HWND control = CreateWindowExW(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(w), px(h), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

HWND DonationWindow::addHeader(int id, const wchar_t* text, int height, HFONT font) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    headerHeight_ = px(height);
    // Inside the frame line on the top, left and right.
    header_ = CreateWindowExW(
        0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 1, 1,
        client.right - 2, headerHeight_ - 1, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (header_)
        SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return header_;
}

LRESULT DonationWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCHITTEST:
        return OnNcHitTest(lp);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED && lp != 0) {
            onButton(LOWORD(wp));
            return 0;
        }
        break;
    case WM_CLOSE:
        // Alt+F4 and the like only put the window away; it lives as long as
        // the program.
        hide();
        return 0;
    default:
        break;
    }
    return defaultProc(msg, wp, lp);
}

void DonationWindow::OnPaint() {
    win::paintWindow(hwnd(), [this](HDC dc) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FrameRect(dc, &client, frameBrush_.get());
    });
}

LRESULT DonationWindow::OnNcHitTest(LPARAM lp) {
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ScreenToClient(hwnd(), &pt);
    // The window has no caption; its header stands in for one.
    if (pt.y >= 0 && pt.y < headerHeight_)
        return HTCAPTION;
    return HTCLIENT;
}

LRESULT DonationWindow::OnCtlColorStatic(HDC dc, HWND control) {
    if (control == header_ && header_) {
        SetTextColor(dc, kHeaderTextColour);
        SetBkColor(dc, kHeaderColour);
        return reinterpret_cast<LRESULT>(headerBrush_.get());
    }
    return defaultProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(control));
}

} // namespace quivra::donation
