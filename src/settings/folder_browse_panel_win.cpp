// The panel that browses the folders for a custom notes folder, and the
// panel that makes a new folder in it.
#include "settings/settings_page_win.h"

#include "base/errors.h"
#include "base/name_chars.h"
#include "settings/autostart_win.h"
#include "settings/colors.h"
#include "settings/data_folders.h"
#include "skins/skin.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/file_system_win.h"
#include "win/focus_watch_win.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

namespace quivra::settings {

using win::Bounds;

void SettingsPage::CustomDirBrowseClick() {
    ensureBrowseTree();
    SetWindowPos(BrowsePanel.hwnd(), HWND_TOP, px(3), px(3), 0, 0, SWP_NOSIZE);
    const std::wstring custom = customDirText();
    if (!custom.empty() && win::folderExists(win::toU16(custom)))
        Tree.selectPath(custom);
    ShowWindow(BrowsePanel.hwnd(), SW_SHOW);
    SetFocus(Tree.hwnd());
    TreeChange();
}

void SettingsPage::TreeChange() {
    const bool ok = win::folderExists(win::toU16(Tree.selectedPath()));
    EnableWindow(browseOk, ok);
    EnableWindow(BrowseCreate, ok);
}

void SettingsPage::browseOkClick() {
    const std::wstring path = Tree.selectedPath();
    if (!win::folderExists(win::toU16(path)))
        return;
    SetWindowTextW(CustomDirV, path.c_str()); // its change keeps the text
    ShowWindow(BrowsePanel.hwnd(), SW_HIDE);
    selectCustomDir(true);
}

void SettingsPage::BrowseCancelClick() {
    ShowWindow(BrowsePanel.hwnd(), SW_HIDE);
}

void SettingsPage::BrowsePanelExit() {
    BrowseCancelClick();
}

void SettingsPage::NewFPanelExit() {
    ShowWindow(NewFPanel.hwnd(), SW_HIDE);
}

void SettingsPage::BrowseCreateClick() {
    const std::u16string name =
        proposeNewFolderName(win::toU16(Tree.selectedPath()),
                             [](std::u16string_view p) { return win::folderExists(p); });
    SetWindowTextW(FolName, win::toWide(name).c_str());
    ShowWindow(NewFPanel.hwnd(), SW_SHOW);
    SetFocus(FolName);
}

void SettingsPage::FN_okClick() {
    const std::u16string path =
        newFolderPath(win::toU16(Tree.selectedPath()), win::toU16(win::windowText(FolName)));
    if (win::folderExists(path))
        return;
    SHCreateDirectoryExW(nullptr, win::toWide(path.substr(0, path.size() - 1)).c_str(), nullptr);
    Tree.refreshSelected();
    SetFocus(Tree.hwnd());
}

void SettingsPage::FN_CanelClick() {
    SetFocus(Tree.hwnd());
    ShowWindow(NewFPanel.hwnd(), SW_HIDE);
}

} // namespace quivra::settings
