// The notes folder's choice on the general page: the program's own folder
// under Data\Notes (its sub-folder's name typed) or a folder of the user's,
// and "Применить", which moves the program to the chosen one. The texts
// and the choice are kept while the page does not exist.
#pragma once

#include "settings/settings_page_host_win.h"
#include "win/subclass_win.h"

#include <windows.h>

#include <string>

namespace quivra::settings {

class DataFolderChoice {
  public:
    explicit DataFolderChoice(SettingsPageHost& host) : host_(host) {}

    void create(HWND page, UINT dpi);
    void showValues();

    std::wstring dataDirText() const { return dataDir_; }
    void setDataDirText(const std::u16string& text);
    std::wstring customDirText() const { return customDir_; }
    void setCustomDirText(const std::u16string& text);
    bool customDirSelected() const { return customSelected_; }
    void selectCustomDir(bool custom);
    HWND control(int id) const;

    // The fields' and buttons' notifications.
    void dataDirTyped();
    void customDirTyped();
    void dataDirChoiceClick();
    void ApplyDataDirClick();
    // The sub-folder name takes no character a folder name cannot hold:
    // false drops the typed character.
    static bool DataDirVKeyPress(wchar_t typed);

  private:
    SettingsPageHost& host_;
    std::wstring dataDir_, customDir_;
    bool customSelected_ = false;
    HWND wd_owndir = nullptr, DataDirV = nullptr, wd_customdir = nullptr, CustomDirV = nullptr,
         CustomDirBrowse = nullptr, ApplyDataDir = nullptr;
    win::Subclass folderNameEvents_;
};

} // namespace quivra::settings
