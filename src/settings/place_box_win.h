// The edge box of the view page ("Положение"): the screen edge the window
// docks at (0 left, 1 top, 2 right, 3 bottom; -1 for a stored value out of
// that range). Kept while the page does not exist.
#pragma once

#include "settings/settings_page_host_win.h"

#include <windows.h>

namespace quivra::settings {

class PlaceBox {
  public:
    explicit PlaceBox(SettingsPageHost& host) : host_(host) {}

    void create(HWND page, UINT dpi);
    void showValues();

    int placeIndex() const { return index_; }
    void setPlaceIndex(long index);
    // The user chose an edge: stored, and the window moves to it.
    void PlaceSelect();
    HWND control(int id) const;

  private:
    SettingsPageHost& host_;
    int index_ = 0;
    HWND Place = nullptr;
};

} // namespace quivra::settings
