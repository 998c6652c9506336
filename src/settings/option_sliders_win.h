// The view page's three sliders: the window's opacity and the speeds of
// showing and hiding it. Each keeps its position while the page does not
// exist; the opacity applies at once, and a slider's key is written when
// the mouse button is released over it.
#pragma once

#include "settings/settings_page_host_win.h"
#include "win/controls_win.h"
#include "win/subclass_win.h"

#include <windows.h>

#include <array>

namespace quivra::settings {

class OptionSliders {
  public:
    explicit OptionSliders(SettingsPageHost& host) : host_(host) {}

    // Makes the slider `id` (ID_OPVAL, ID_DELAYSHOWBAR or ID_DELAYHIDEBAR)
    // on `parent`, its range that of its option.
    void create(HWND parent, int id, win::Bounds bounds);
    // The controls show the positions kept.
    void showValues();

    // Setting a position runs no handler (the opacity slider applies its
    // position as the window's opacity).
    int position(int id) const;
    void setPosition(int id, long value);
    // A slide-speed slider follows its animation box.
    void enable(int id, bool enabled);
    // A slider moved by the user (WM_HSCROLL); false for other controls.
    bool onScroll(HWND control);
    HWND control(int id) const;

  private:
    int& slot(int id);
    int slot(int id) const;
    void onSliderMouseUp(HWND slider);
    void OpValChange();
    void OpValMouseUp();
    void DelayShowBarMouseUp();
    void DelayHideBarMouseUp();

    SettingsPageHost& host_;
    std::array<int, 3> positions_{50, 10, 10}; // OpVal, DelayShowBar, DelayHideBar
    HWND OpVal = nullptr, DelayShowBar = nullptr, DelayHideBar = nullptr;
    std::array<win::Subclass, 3> mouseUpEvents_;
};

} // namespace quivra::settings
