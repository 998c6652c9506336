// The panel that browses the folders for the notes folder of the user's
// choice (over the settings page, opened by "..."), and the small panel in
// it that makes a new folder. Ok puts the chosen folder into the choice.
#pragma once

#include "settings/data_folder_choice_win.h"
#include "settings/folder_tree_win.h"
#include "win/panel_win.h"

#include <windows.h>

namespace quivra::settings {

class FolderBrowsePanel {
  public:
    explicit FolderBrowsePanel(DataFolderChoice& choice) : choice_(choice) {}

    // Makes the panels, hidden, on `page`; the tree comes when the panel is
    // first opened.
    void create(HWND page, HWND notifyTarget, UINT dpi);
    HWND hwnd() const { return BrowsePanel.hwnd(); }
    FolderTree& tree() { return Tree; }
    // The tree's notifications; false for another control's.
    bool onNotify(NMHDR& hdr, LRESULT& result);
    HWND control(int id) const;

    void CustomDirBrowseClick();
    void TreeChange();
    void browseOkClick();
    void BrowseCancelClick();
    void BrowseCreateClick();
    void FN_okClick();
    void FN_CanelClick();
    void BrowsePanelExit();
    void NewFPanelExit();

  private:
    void ensureTree();
    int px(int designed) const;

    DataFolderChoice& choice_;
    UINT dpi_ = 96;
    win::Panel BrowsePanel;
    FolderTree Tree;
    HWND browseOk = nullptr, BrowseCancel = nullptr, BrowseCreate = nullptr;
    win::Panel NewFPanel;
    HWND FolName = nullptr, FN_ok = nullptr, FN_Canel = nullptr;
};

} // namespace quivra::settings
