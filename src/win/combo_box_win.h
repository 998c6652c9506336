// A drop-down combo box (or the stand-in of a `LazyCombo`, which answers the
// same messages), by its handle; not owned.
#pragma once

#include "win/item_list_win.h"

namespace quivra::win {

class ComboBox : public ItemList {
  public:
    explicit ComboBox(HWND hwnd) noexcept : ItemList(hwnd, Kind::ComboBox) {}

    int count() const;
    // The first item after `after` whose text equals `text` ignoring case,
    // searched round to the start; -1 when none does.
    int findExact(const wchar_t* text, int after = -1) const;
    bool droppedDown() const;
    void showDropDown(bool shown) const;
    // How many items the dropped list shows before it scrolls.
    void setMinVisible(int items) const;
    // Height of the items in pixels; index -1 is the field's.
    int itemHeight(int index) const;
};

} // namespace quivra::win
