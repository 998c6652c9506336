// The skins list of the view page: the names of Data\Skins with an empty
// first entry (the program's own look), the stored name selected. A click
// on its label ("Скин:") lists the folder again. Kept while the page does
// not exist.
#pragma once

#include "settings/settings_page_host_win.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace quivra::settings {

class SkinChooser {
  public:
    explicit SkinChooser(SettingsPageHost& host) : host_(host) {}

    void create(HWND page, UINT dpi);
    void showValues();

    // Lists the folder's skins, the stored name selected (none when not
    // listed).
    void refreshSkinsList(std::u16string_view storedName);
    std::wstring selectedSkinName() const;
    // Start-up's selection: applies the listed skin the key names; an
    // unlisted or empty one leaves the key as it is.
    void applyStoredSkin();
    HWND control(int id) const;

    // The list's and the label's notifications.
    void skinChosen();
    void SkinsListSelect();
    void sLabel6Click();

  private:
    SettingsPageHost& host_;
    std::vector<std::wstring> skins_; // the empty entry first
    int selected_ = -1;
    HWND sLabel6 = nullptr, SkinsList = nullptr;
};

} // namespace quivra::settings
