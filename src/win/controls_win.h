// Creation of the standard controls the windows are composed of. A control
// belongs to its parent window, which destroys it with itself.
#pragma once

#include <windows.h>

#include <string>

namespace quivra::win {

struct Bounds {
    int x, y, w, h;
};

inline Bounds boundsOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

HWND createControl(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id,
                   Bounds b, DWORD exStyle = 0);
HWND createButton(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle = 0);
HWND createCheckBox(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle = 0);
HWND createRadioButton(HWND parent, int id, const wchar_t* text, Bounds b, bool firstInGroup);
HWND createLabel(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle = 0);
HWND createEdit(HWND parent, int id, const wchar_t* text, Bounds b, DWORD extraStyle = 0);
HWND createComboList(HWND parent, int id, Bounds b, DWORD extraStyle = 0);
HWND createListBox(HWND parent, int id, Bounds b, DWORD extraStyle = 0);
HWND createTrackbar(HWND parent, int id, Bounds b, int min, int max);
HWND createGroupBox(HWND parent, int id, const wchar_t* text, Bounds b);

// Small conveniences over the control messages.
bool isChecked(HWND box);
void setChecked(HWND box, bool checked);
std::wstring windowText(HWND hwnd);
void setFontTree(HWND root, HFONT font);

} // namespace quivra::win
