#include "editor/colour_palette_win.h"

#include "win/dpi_win.h"
#include "win/wide_win.h"

#include <oleacc.h>

namespace quivra::editor {

namespace {

// Lets the messages waiting for this thread run between two steps of a slide.
void runPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

void ColourPalette::create(HWND editorArea, int id, int dpi) {
    editorArea_ = editorArea;
    id_ = id;
    dpi_ = dpi;
}

bool ColourPalette::make() {
    if (hwnd())
        return true;
    const int size = win::scale(kPaletteSize, dpi_);
    return Window::create(L"QuivraColourPalette", 0, WS_CHILD | WS_CLIPSIBLINGS, L"", 0, -size,
                          size, size, editorArea_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), nullptr, 0);
}

bool ColourPalette::shown() const {
    return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

int ColourPalette::barBottom(HWND bar) const {
    RECT r;
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    return r.bottom;
}

void ColourPalette::moveTop(int top) {
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(hwnd(), nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(GetParent(hwnd()));
}

void ColourPalette::open(PaletteMode mode, int left, HWND bar, bool animate) {
    if (!make())
        return;
    mode_ = mode;
    const int height = win::scale(kPaletteSize, dpi_);
    const int bottom = barBottom(bar);
    SetWindowPos(hwnd(), bar, left, bottom - height, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetFocus(hwnd());
    for (int top : paletteOpeningTops(bottom, height, animate)) {
        moveTop(top);
        if (animate)
            runPendingMessages();
    }
}

void ColourPalette::close(HWND bar, bool animate) {
    if (!hwnd())
        return;
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    for (int top : paletteClosingTops(r.top, r.bottom - r.top, barBottom(bar), animate)) {
        moveTop(top);
        runPendingMessages();
    }
    ShowWindow(hwnd(), SW_HIDE);
}

void ColourPalette::paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const auto colours = paletteColours();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const SwatchRect s = swatchRect(i);
        RECT r{win::scale(s.left, dpi_), win::scale(s.top, dpi_),
               win::scale(s.left + kSwatchSize, dpi_), win::scale(s.top + kSwatchSize, dpi_)};
        win::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(colours[i].color.value)));
        FillRect(dc, &r, brush.get());
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        if (i == focused_ && GetFocus() == hwnd()) {
            InflateRect(&r, win::scale(3, dpi_), win::scale(3, dpi_));
            DrawFocusRect(dc, &r);
        }
    }
}

std::wstring ColourPalette::accessibleName() const {
    return mode_ == PaletteMode::TextColour ? L"Цвет текста" : L"Цвет фона";
}

long ColourPalette::accessibleRole() const {
    return ROLE_SYSTEM_LIST;
}

int ColourPalette::accessibleItemCount() const {
    return static_cast<int>(kPaletteSwatches);
}

win::AccessibleItem ColourPalette::accessibleItem(int index) const {
    const auto i = static_cast<std::size_t>(index);
    const SwatchRect s = swatchRect(i);
    win::AccessibleItem item;
    item.name = win::toWide(std::u16string(paletteColourName(i)));
    item.defaultAction = L"Выбрать";
    item.role = ROLE_SYSTEM_LISTITEM;
    item.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (i == focused_)
        item.state |= STATE_SYSTEM_SELECTED | (GetFocus() == hwnd() ? STATE_SYSTEM_FOCUSED : 0);
    item.place = {win::scale(s.left, dpi_), win::scale(s.top, dpi_),
                  win::scale(s.left + kSwatchSize, dpi_), win::scale(s.top + kSwatchSize, dpi_)};
    return item;
}

void ColourPalette::accessibleDoDefault(int index) {
    // Picked later, on the palette's own thread, as the keys pick.
    focused_ = static_cast<std::size_t>(index);
    PostMessageW(hwnd(), WM_KEYDOWN, VK_RETURN, 0);
}

bool ColourPalette::onKey(WPARAM key) {
    const auto moveTo = [this](std::size_t index) {
        focused_ = index;
        InvalidateRect(hwnd(), nullptr, TRUE);
        // A screen reader follows the frame.
        NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, static_cast<LONG>(index) + 1);
    };
    switch (key) {
    case VK_LEFT:
        moveTo(swatchBeside(focused_, -1, 0));
        return true;
    case VK_RIGHT:
        moveTo(swatchBeside(focused_, 1, 0));
        return true;
    case VK_UP:
        moveTo(swatchBeside(focused_, 0, -1));
        return true;
    case VK_DOWN:
        moveTo(swatchBeside(focused_, 0, 1));
        return true;
    case VK_RETURN:
    case VK_SPACE:
        if (onPick)
            onPick(focused_);
        return true;
    case VK_ESCAPE:
        if (onEscape)
            onEscape();
        return true;
    default:
        return false;
    }
}

LRESULT ColourPalette::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return win::paintWindow(hwnd(), [this](HDC dc) { paint(dc); });
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        // Swatches are designed at 96 DPI.
        const int x = MulDiv(static_cast<short>(LOWORD(lp)), 96, dpi_);
        const int y = MulDiv(static_cast<short>(HIWORD(lp)), 96, dpi_);
        if (onPick)
            onPick(swatchAt(x, y));
        return 0;
    }
    case WM_GETOBJECT:
        if (auto answer = accessible_.answer(hwnd(), wp, lp, *this))
            return *answer;
        return defaultProc(msg, wp, lp);
    case WM_NCDESTROY:
        accessible_.release();
        return defaultProc(msg, wp, lp);
    case WM_GETDLGCODE:
        // The dialog manager of the window leaves every key to the palette.
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (onKey(wp))
            return 0;
        return defaultProc(msg, wp, lp);
    case WM_CHAR:
        return 0; // Enter, Space and Esc were taken as keys
    case WM_SETFOCUS:
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, TRUE);
        if (shown() && onLeave)
            onLeave();
        return 0;
    default:
        return defaultProc(msg, wp, lp);
    }
}

} // namespace quivra::editor
