// A list box, by its handle; not owned.
#pragma once

#include "win/item_list_win.h"

namespace quivra::win {

class ListBox : public ItemList {
  public:
    explicit ListBox(HWND hwnd) noexcept : ItemList(hwnd, Kind::ListBox) {}
};

} // namespace quivra::win
