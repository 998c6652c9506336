#include "settings/folder_browse_panel_win.h"

#include "settings/data_folders.h"
#include "settings/settings_ids.h"
#include "win/accessible_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/file_system_win.h"
#include "win/focus_watch_win.h"
#include "win/wide_win.h"

#include <shlobj.h>

namespace quivra::settings {

int FolderBrowsePanel::px(int designed) const {
    return win::scale(designed, dpi_);
}

void FolderBrowsePanel::create(HWND page, HWND notifyTarget, UINT dpi) {
    dpi_ = dpi;
    BrowsePanel.create(page, notifyTarget, px(3), px(3), px(404), px(304), WS_BORDER);
    HWND bp = BrowsePanel.hwnd();
    browseOk = win::createButton(bp, ID_BROWSEOK, L"Ok", {px(4), px(270), px(75), px(25)});
    BrowseCancel =
        win::createButton(bp, ID_BROWSECANCEL, L"Отмена", {px(83), px(270), px(75), px(25)});
    BrowseCreate =
        win::createButton(bp, ID_BROWSECREATE, L"Создать", {px(318), px(270), px(80), px(25)});
    NewFPanel.create(bp, notifyTarget, px(4), px(200), px(394), px(64), WS_BORDER);
    HWND np = NewFPanel.hwnd();
    win::createLabel(np, 0, L"Имя новой папки:", {px(6), px(6), px(200), px(14)});
    FolName = win::createEdit(np, ID_FOLNAME, L"", {px(6), px(22), px(380), px(21)});
    FN_ok = win::createButton(np, ID_FN_OK, L"Ok", {px(230), px(44), px(75), px(18)});
    FN_Canel = win::createButton(np, ID_FN_CANEL, L"Отмена", {px(310), px(44), px(75), px(18)});
    win::nameByLabels(np);
    ShowWindow(np, SW_HIDE);
    ShowWindow(bp, SW_HIDE);
}

HWND FolderBrowsePanel::control(int id) const {
    switch (id) {
    case ID_TREE:
        return Tree.hwnd();
    case ID_BROWSEOK:
        return browseOk;
    case ID_BROWSECANCEL:
        return BrowseCancel;
    case ID_BROWSECREATE:
        return BrowseCreate;
    case ID_FOLNAME:
        return FolName;
    case ID_FN_OK:
        return FN_ok;
    case ID_FN_CANEL:
        return FN_Canel;
    default:
        return nullptr;
    }
}

void FolderBrowsePanel::ensureTree() {
    // Listing the drives and loading the system's icons is slow, so the tree
    // is made when the panel is first opened rather than at start-up.
    if (Tree.hwnd())
        return;
    HWND bp = BrowsePanel.hwnd();
    Tree.create(bp, ID_TREE, RECT{px(4), px(4), px(398), px(262)});
    SetWindowPos(Tree.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(Tree.hwnd(), WM_SETFONT, SendMessageW(browseOk, WM_GETFONT, 0, 0), FALSE);
    win::watchFocusLeaving(NewFPanel.hwnd(), [this] { NewFPanelExit(); });
    win::watchFocusLeaving(bp, [this] { BrowsePanelExit(); });
}

bool FolderBrowsePanel::onNotify(NMHDR& hdr, LRESULT& result) {
    if (!Tree.hwnd() || hdr.hwndFrom != Tree.hwnd())
        return false;
    if (auto r = Tree.handleNotify(&hdr)) {
        result = *r;
        return true;
    }
    if (Tree.isSelectionChange(&hdr))
        TreeChange();
    result = 0;
    return true;
}

void FolderBrowsePanel::CustomDirBrowseClick() {
    ensureTree();
    SetWindowPos(BrowsePanel.hwnd(), HWND_TOP, px(3), px(3), 0, 0, SWP_NOSIZE);
    const std::wstring custom = choice_.customDirText();
    if (!custom.empty() && win::folderExists(win::toU16(custom)))
        Tree.selectPath(custom);
    ShowWindow(BrowsePanel.hwnd(), SW_SHOW);
    SetFocus(Tree.hwnd());
    TreeChange();
}

void FolderBrowsePanel::TreeChange() {
    const bool ok = win::folderExists(win::toU16(Tree.selectedPath()));
    EnableWindow(browseOk, ok);
    EnableWindow(BrowseCreate, ok);
}

void FolderBrowsePanel::browseOkClick() {
    const std::wstring path = Tree.selectedPath();
    if (!win::folderExists(win::toU16(path)))
        return;
    choice_.setCustomDirText(win::toU16(path));
    ShowWindow(BrowsePanel.hwnd(), SW_HIDE);
    choice_.selectCustomDir(true);
}

void FolderBrowsePanel::BrowseCancelClick() {
    ShowWindow(BrowsePanel.hwnd(), SW_HIDE);
}

void FolderBrowsePanel::BrowsePanelExit() {
    BrowseCancelClick();
}

void FolderBrowsePanel::NewFPanelExit() {
    ShowWindow(NewFPanel.hwnd(), SW_HIDE);
}

void FolderBrowsePanel::BrowseCreateClick() {
    const std::u16string name =
        proposeNewFolderName(win::toU16(Tree.selectedPath()),
                             [](std::u16string_view p) { return win::folderExists(p); });
    SetWindowTextW(FolName, win::toWide(name).c_str());
    ShowWindow(NewFPanel.hwnd(), SW_SHOW);
    SetFocus(FolName);
}

void FolderBrowsePanel::FN_okClick() {
    const std::u16string path =
        newFolderPath(win::toU16(Tree.selectedPath()), win::toU16(win::windowText(FolName)));
    if (win::folderExists(path))
        return;
    SHCreateDirectoryExW(nullptr, win::toWide(path.substr(0, path.size() - 1)).c_str(), nullptr);
    Tree.refreshSelected();
    SetFocus(Tree.hwnd());
}

void FolderBrowsePanel::FN_CanelClick() {
    SetFocus(Tree.hwnd());
    ShowWindow(NewFPanel.hwnd(), SW_HIDE);
}

} // namespace quivra::settings
