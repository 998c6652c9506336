// The border colour box of the view page ("Цвет границы"): the standard
// colours, each drawn as a swatch beside its name. The colour is kept while
// the page does not exist; a stored colour the box does not list (a system
// colour, a number) is used as it is, with no item selected.
#pragma once

#include "settings/colors.h"
#include "settings/settings_page_host_win.h"

#include <windows.h>

#include <string_view>

namespace quivra::settings {

class BorderColourBox {
  public:
    explicit BorderColourBox(SettingsPageHost& host) : host_(host) {}

    void create(HWND page, UINT dpi);
    void showValues();

    COLORREF borderColor() const;
    // The stored colour's name (clBlue, $00FF0000, ...).
    void setBorderColorItem(std::u16string_view name);
    void BvlColorSelect();
    // The owner-drawn items; false for other controls.
    bool onDrawItem(const DRAWITEMSTRUCT& di) const;
    bool onMeasureItem(MEASUREITEMSTRUCT& mi) const;
    HWND control(int id) const;

  private:
    int px(int designed) const;

    SettingsPageHost& host_;
    UINT dpi_ = 96;
    int item_ = -1;
    Color colour_ = rgbColor(0, 0, 255);
    HWND BvlColor = nullptr;
};

} // namespace quivra::settings
