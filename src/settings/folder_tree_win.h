// A tree of the file system's folders for the folder-browse panel.
//
// The root node stands for the desktop. It is virtual (its path is empty) and
// holds the logical drives, in letter order, followed by the sub-folders of
// the user's Desktop folder, sorted by name. Below those every node is a real
// folder whose children are its sub-folders, hidden and system ones included,
// sorted by name ignoring letter case, each with the system's small icon.
// Children are listed the first time a node is expanded and never refreshed
// on their own; refreshSelected() lists the selected node again.
//
// The tree view reports to its parent, so the parent's WM_NOTIFY handler must
// pass every notification to handleNotify() first and return its result when
// it has one; the parent learns of selection changes through
// isSelectionChange().
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <unordered_map>

#include "win/handles_win.h"

namespace quivra::settings {

class FolderTree {
  public:
    FolderTree() = default;
    ~FolderTree();
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    // Creates the tree view as child `id` of `parent`, at `rect` (device
    // pixels in the parent's client area), with the desktop node expanded.
    bool create(HWND parent, int id, RECT rect);
    HWND hwnd() const noexcept { return hwnd_.get(); }

    // Expands the tree down to the existing folder `path` and selects it.
    // Returns false, leaving the selection as it was, when the path is not an
    // existing folder on a drive letter (network paths have no node).
    bool selectPath(const std::wstring& path);

    // The folder of the selected node, without a trailing backslash except
    // for a drive ("C:\"); empty when nothing or the desktop node is selected.
    std::wstring selectedPath() const;

    // Lists the selected node's children again (folders created or deleted
    // since it was first expanded); expanded sub-nodes collapse.
    void refreshSelected();

    // Handles the tree's own notifications (expansion, icons and buttons on
    // demand); nullopt for anything else, which the parent handles itself.
    std::optional<LRESULT> handleNotify(NMHDR* hdr);

    // True for the notification the tree sends when its selection changed.
    bool isSelectionChange(const NMHDR* hdr) const noexcept;

  private:
    struct Node {
        std::wstring path; // empty for the desktop node
        bool listed = false;
    };

    HTREEITEM insertNode(HTREEITEM parent, const std::wstring& label, std::wstring path,
                         int children);
    void listChildren(HTREEITEM item);
    void ensureListed(HTREEITEM item);
    void removeChildren(HTREEITEM item);
    void forgetSubtree(HTREEITEM item);
    void setChildCount(HTREEITEM item, int children);
    HTREEITEM findChild(HTREEITEM parent, const std::wstring& path) const;
    const Node* node(HTREEITEM item) const;
    void onGetDispInfo(NMTVDISPINFOW& info);
    void onNcDestroy();

    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self);

    win::UniqueFont font_;
    std::unordered_map<HTREEITEM, Node> nodes_;
    HTREEITEM root_ = nullptr;
    // Declared last so the control goes first, while the nodes still exist.
    win::UniqueHwnd hwnd_;
};

} // namespace quivra::settings
