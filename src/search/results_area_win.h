// The search results area under the editor area: the splitter `NoteSplitt`,
// the header `SearchHintPanel` with its close button `SearchClose`, and the
// read-only result view `SearchMemo` that lists the note's matching lines.
// Closed, it takes no room and the editor area is as tall as the note list
// pane; opened, it takes 100 px at the bottom until the user moves its
// splitter.
#pragma once

#include "editor/rich_edit_win.h"
#include "platform/panel_win.h"
#include "platform/subclass_win.h"
#include "platform/subsystem_win.h"

#include <functional>
#include <string>
#include <vector>

namespace quivra::search {

class ResultsArea {
  public:
    explicit ResultsArea(win::Host& host) : host_(host) {}

    struct Ids {
        int view, close;
    };
    // Builds the area, hidden, in `column` (the part of the notes page right
    // of the list pane, which also holds the editor area).
    void create(HWND column, HWND notifyTarget, Ids ids);
    // Lays the area out at the bottom of the column; returns the height left
    // to the editor area above it.
    int layout(int width, int columnHeight);

    void open();
    void close();
    bool isOpen() const noexcept { return open_; }

    // The result view: emptied, or filled with lines (one paragraph each).
    void clear();
    void fill(const std::vector<std::u16string>& lines);
    std::vector<std::u16string> lines() const;
    // The result line that holds the view's caret.
    std::u16string caretLine() const;

    editor::RichEdit& view() noexcept { return view_; }
    HWND closeButton() const noexcept { return close_; }
    HWND panel() const noexcept { return panel_.hwnd(); }
    HWND splitter() const noexcept { return splitter_.hwnd(); }
    int height() const noexcept { return height_; }

    // A double click or Enter in the result view (the jump to the line).
    std::function<void()> onJump;

  private:
    std::optional<LRESULT> onViewMessage(UINT msg, WPARAM wp, LPARAM lp,
                                         const win::Subclass::Next& next);
    std::optional<LRESULT> onSplitterMessage(UINT msg, LPARAM lp);

    win::Host& host_;
    win::Panel splitter_; // NoteSplitt
    win::Panel panel_;    // SearchPanel
    HWND header_ = nullptr;
    HWND close_ = nullptr;
    editor::RichEdit view_; // SearchMemo
    win::Subclass viewEvents_;
    win::Subclass splitterEvents_;
    bool dragging_ = false; // the splitter follows the mouse
    bool open_ = false;
    int height_ = 0;       // of the whole area, splitter included
    int columnHeight_ = 0; // at the last layout
};

} // namespace quivra::search
