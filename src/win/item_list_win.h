// What a combo box and a list box have in common: a list of text items with
// one selected. `ItemList` wraps the handle of either, does not own it and
// copies freely; `ComboBox` and `ListBox` give it the messages of their kind.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quivra::win {

class ItemList {
  public:
    HWND hwnd() const noexcept { return hwnd_; }

    // Removes every item; nothing stays selected.
    void clear() const;
    // Makes room for `items` items before a long run of add().
    void reserve(std::size_t items) const;
    // Appends an item (a sorted list puts it in its place); returns its index.
    int add(const wchar_t* text) const;
    // The selected item's index, -1 when none is.
    int selected() const;
    // Selects the item at `index`; -1 selects none.
    void select(int index) const;
    // The text of the item at `index`; empty when there is no such item.
    std::wstring itemText(int index) const;
    // Height of the items in pixels; for a combo box index -1 is its field.
    void setItemHeight(int index, int height) const;

  protected:
    enum class Kind { ComboBox, ListBox };
    ItemList(HWND hwnd, Kind kind) noexcept : hwnd_(hwnd), kind_(kind) {}
    LRESULT send(UINT msg, WPARAM wp, LPARAM lp) const { return SendMessageW(hwnd_, msg, wp, lp); }

  private:
    // The messages of one kind of control.
    struct Messages;
    const Messages& messages() const noexcept;

    HWND hwnd_;
    Kind kind_;
};

} // namespace quivra::win
