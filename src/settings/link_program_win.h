// The program that opens links clicked with Ctrl in the editor ("Открывать
// ссылки с помощью"): a path typed into its field is used by the next link
// click, unstored; one chosen in a file dialog is stored as CustomBrowser;
// "X" forgets it. The path is kept while the page does not exist.
#pragma once

#include "settings/settings_page_host_win.h"
#include "win/hints_win.h"

#include <windows.h>

#include <string>

namespace quivra::settings {

class LinkProgramField {
  public:
    explicit LinkProgramField(SettingsPageHost& host) : host_(host) {}

    // `dialogOwner` owns the file dialog.
    void create(HWND page, HWND dialogOwner, UINT dpi, win::Hints& hints);
    void showValues();

    std::wstring customBrowserText() const { return path_; }
    void setCustomBrowserText(const std::wstring& path);
    HWND control(int id) const;

    void customBrowserTyped();
    void ChooseBrowserClick();
    void BrowserDeleteClick();

  private:
    SettingsPageHost& host_;
    HWND dialogOwner_ = nullptr;
    std::wstring path_;
    HWND CustomBrowserPath = nullptr, ChooseBrowser = nullptr, BrowserDelete = nullptr;
};

} // namespace quivra::settings
