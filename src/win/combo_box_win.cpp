#include "win/combo_box_win.h"

#include <commctrl.h>

namespace quivra::win {

int ComboBox::count() const {
    return static_cast<int>(send(CB_GETCOUNT, 0, 0));
}

int ComboBox::findExact(const wchar_t* text, int after) const {
    return static_cast<int>(
        send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(text)));
}

bool ComboBox::droppedDown() const {
    return send(CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void ComboBox::showDropDown(bool shown) const {
    send(CB_SHOWDROPDOWN, shown ? TRUE : FALSE, 0);
}

void ComboBox::setMinVisible(int items) const {
    send(CB_SETMINVISIBLE, static_cast<WPARAM>(items), 0);
}

int ComboBox::itemHeight(int index) const {
    return static_cast<int>(send(CB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0));
}

} // namespace quivra::win
