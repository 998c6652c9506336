// What the formatting commands ask of the rest of the window: where their
// menus open and what hides when the additional menu opens.
#pragma once

namespace quivra::editor {

class FormattingNeeds {
  public:
    // Width of the note list pane, where the menus of the bar open.
    virtual int listPaneWidth() const = 0;
    // The "..." button is opening the additional menu: the note list's
    // quick-search results hide.
    virtual void closeQuickSearch() = 0;

  protected:
    ~FormattingNeeds() = default;
};

} // namespace quivra::editor
