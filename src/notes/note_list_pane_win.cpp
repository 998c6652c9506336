// The side list pane of the notes page and its splitter.
#include "app/main_form_win.h"
#include "platform/errors.h"
#include "platform/wide_win.h"
#include "settings/keys.h"
#include <commctrl.h>
#include <algorithm>

namespace quivra::app {

void TMainForm::LBSplitterMoved() {
    settings::write(*state_.settingsFile, settings::keys::ListWidth, listWidth_);
}

LRESULT CALLBACK TMainForm::splitterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR self) {
    auto* form = reinterpret_cast<TMainForm*>(self);
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd) {
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            MapWindowPoints(hwnd, GetParent(hwnd), &pt, 1);
            form->listWidth_ = std::max(0, static_cast<int>(pt.x));
            form->layoutNotesPage();
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd) {
            ReleaseCapture();
            try {
                form->LBSplitterMoved();
            } catch (const UserError& e) {
                win::showErrorBox(form->hwnd(), win::asWide(e.text()));
            }
        }
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, splitterProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

int TMainForm::findNoteIndex(const std::u16string& name) const {
    const std::wstring w = win::toWide(name);
    return static_cast<int>(SendMessageW(control(ID_NOTESNAMESLIST), CB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(w.c_str())));
}

int TMainForm::selectedNoteIndex() const {
    return static_cast<int>(SendMessageW(control(ID_NOTESNAMESLIST), CB_GETCURSEL, 0, 0));
}

} // namespace quivra::app
