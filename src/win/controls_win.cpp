#include "win/controls_win.h"

#include <commctrl.h>

namespace quivra::win {

HWND createControl(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id,
                   Bounds b, DWORD exStyle) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, b.x, b.y, b.w,
                           b.h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

HWND createButton(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle) {
    return createControl(WC_BUTTONW, text, WS_TABSTOP | BS_PUSHBUTTON | extraStyle, parent, id, b);
}

HWND createCheckBox(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle) {
    return createControl(WC_BUTTONW, text, WS_TABSTOP | BS_AUTOCHECKBOX | extraStyle, parent, id,
                         b);
}

HWND createRadioButton(HWND parent, int id, const wchar_t* text, Bounds b, bool firstInGroup) {
    return createControl(WC_BUTTONW, text,
                         WS_TABSTOP | BS_AUTORADIOBUTTON | (firstInGroup ? WS_GROUP : 0), parent,
                         id, b);
}

HWND createLabel(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle) {
    return createControl(WC_STATICW, text, SS_LEFT | SS_NOPREFIX | extraStyle, parent, id, b);
}

HWND createEdit(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle) {
    // A multi-line box wraps its lines at its width; a single line scrolls.
    const DWORD scroll = (extraStyle & ES_MULTILINE) ? 0 : ES_AUTOHSCROLL;
    return createControl(WC_EDITW, text, WS_TABSTOP | scroll | extraStyle, parent, id, b,
                         WS_EX_CLIENTEDGE);
}

HWND createComboList(HWND parent, int id, Bounds b, DWORD extraStyle) {
    return createControl(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | extraStyle,
                         parent, id, b);
}

HWND createListBox(HWND parent, int id, Bounds b, DWORD extraStyle) {
    return createControl(WC_LISTBOXW, L"",
                         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extraStyle,
                         parent, id, b, WS_EX_CLIENTEDGE);
}

HWND createTrackbar(HWND parent, int id, Bounds b, int min, int max) {
    HWND h =
        createControl(TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, parent, id, b);
    SendMessageW(h, TBM_SETRANGEMIN, FALSE, min);
    SendMessageW(h, TBM_SETRANGEMAX, FALSE, max);
    SendMessageW(h, TBM_SETPOS, TRUE, min);
    return h;
}

HWND createGroupBox(HWND parent, int id, const wchar_t* text, Bounds b) {
    return createControl(WC_BUTTONW, text, BS_GROUPBOX, parent, id, b);
}

bool isChecked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void setChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring windowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    return s;
}

void setFontTree(HWND root, HFONT font) {
    SendMessageW(root, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EnumChildWindows(
        root,
        [](HWND child, LPARAM f) -> BOOL {
            // A rich-edit control takes WM_SETFONT as a format change of its
            // whole text; it sets its default format itself.
            wchar_t cls[32]{};
            GetClassNameW(child, cls, 32);
            // A control that has the font already is not made to measure
            // itself again.
            if (_wcsnicmp(cls, L"RichEdit", 8) != 0 &&
                SendMessageW(child, WM_GETFONT, 0, 0) != static_cast<LRESULT>(f))
                SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(f), FALSE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

} // namespace quivra::win
