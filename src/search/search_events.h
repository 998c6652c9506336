// What the search box tells the rest of the window while the user types in
// it. The main window answers, as it knows the other subsystems.
#pragma once

namespace quivra::search {

class SearchEvents {
  public:
    // The box gained the focus: the note list's quick-search results hide.
    virtual void closeQuickSearch() = 0;
    // The focus left the editor by a key of ours: Ctrl counts as released.
    virtual void releaseCtrl() = 0;
    // The format bar's font-size box is disabled while the search box has
    // the focus, and enabled again when it leaves.
    virtual void enableSizeBox(bool enabled) = 0;

  protected:
    ~SearchEvents() = default;
};

} // namespace quivra::search
