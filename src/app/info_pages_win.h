// The pages "Справка" (three tabs of text: general, keys, licence) and
// "О программе". Most runs never open them: their controls and fonts are
// made when one of them is first shown.
#pragma once

#include "program/subsystem_win.h"
#include "win/handles_win.h"

#include <windows.h>

#include <vector>

namespace quivra::app {

class InfoPages {
  public:
    explicit InfoPages(program::Host& host) : host_(host) {}

    // Makes the controls on the two pages, once; they take `font`.
    void ensure(HWND helpPage, HWND aboutPage, HFONT font);
    // The help tabs and their texts fill the help page.
    void layout(HWND helpPage);
    // The help page opens on its first tab.
    void selectFirstTab();
    // A help tab chosen shows its text; false for other notifications.
    bool onNotify(const NMHDR& hdr);

  private:
    void compose(HWND helpPage, HWND aboutPage);
    void fillHelpTexts();

    program::Host& host_;
    HWND HelpPages = nullptr;
    std::vector<HWND> helpTexts_;
    HWND aboutTitle_ = nullptr;
    HWND AdvLabel = nullptr;
    win::UniqueFont titleFont_;
    win::UniqueFont underlineFont_;
};

} // namespace quivra::app
