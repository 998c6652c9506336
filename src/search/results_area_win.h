// The search results area under the editor area: the splitter `NoteSplitt`,
// the header `SearchHintPanel` with its close button `SearchClose`, and the
// read-only result view `SearchMemo` that lists the note's matching lines.
// Closed, it takes no room and the editor area is as tall as the note list
// pane; opened, it takes 100 px at the bottom until the user moves its
// splitter.
#pragma once

#include "document/rich_edit_win.h"
#include "program/subsystem_win.h"
#include "win/panel_win.h"
#include "win/splitter_drag_win.h"
#include "win/subclass_win.h"

#include "document/view_registry.h"

#include <functional>
#include <string>
#include <vector>

namespace quivra::search {

class ResultsArea {
  public:
    ResultsArea(program::Host& host, document::ViewRegistry& views) : host_(host), views_(views) {}

    struct Ids {
        int view, close;
    };
    // Where the area goes: `column` (the part of the notes page right of the
    // list pane, which also holds the editor area). The area itself is made
    // the first time it opens or lists lines.
    void create(HWND column, HWND notifyTarget, Ids ids);
    void build();
    bool built() const noexcept { return panel_.hwnd() != nullptr; }
    // Lays the area out at the bottom of the column; returns the height left
    // to the editor area above it.
    int layout(int width, int columnHeight);

    void open();
    void close();
    bool isOpen() const noexcept { return open_; }

    // The result view: emptied, or filled with lines (one paragraph each).
    // The control lays text out slowly (about 4 µs a character under Wine):
    // the first lines, more than the view shows, go in at once and the rest
    // in pieces after the handler has returned, so typing in the search box
    // never waits for a long list. A new fill or a clear drops the pieces of
    // the one before.
    void clear();
    void fill(std::vector<std::u16string> lines);
    // True while pieces of the last fill are still to come.
    bool filling() const noexcept { return next_ < pending_.size(); }
    std::vector<std::u16string> lines() const;
    // The result line that holds the view's caret, and its index (from 0).
    std::u16string caretLine() const;
    std::size_t caretLineIndex() const;
    // The header's caption; null gives back the line filter's.
    void setCaption(const wchar_t* caption);

    // The controls, made on first use.
    document::RichEdit& view() {
        build();
        return view_;
    }
    HWND closeButton() {
        build();
        return close_;
    }
    HWND panel() {
        build();
        return panel_.hwnd();
    }
    HWND splitter() {
        build();
        return splitter_.hwnd();
    }
    int height() const noexcept { return height_; }

    // A double click or Enter in the result view (the jump to the line).
    std::function<void()> onJump;

  private:
    std::optional<LRESULT> onViewMessage(UINT msg, WPARAM wp, LPARAM lp,
                                         const win::Subclass::Next& next);
    void appendPiece(WPARAM fill);
    void createView(const RECT& place);
    void emptyView();

    program::Host& host_;
    document::ViewRegistry& views_;
    HWND column_ = nullptr;
    HWND notifyTarget_ = nullptr;
    int closeId_ = 0;
    win::Panel splitter_; // NoteSplitt
    win::Panel panel_;    // SearchPanel
    HWND header_ = nullptr;
    const wchar_t* caption_ = nullptr; // null: the line filter's
    HWND close_ = nullptr;
    document::RichEdit view_; // SearchMemo
    int viewId_ = 0;
    win::Subclass viewEvents_;
    win::SplitterDrag splitterDrag_;
    win::Subclass panelEvents_;
    std::vector<std::u16string> pending_; // the lines of the last fill
    std::size_t next_ = 0;                // the first one not yet in the view
    WPARAM fillNumber_ = 0;               // which fill the posted pieces belong to
    bool open_ = false;
    int height_ = 0;       // of the whole area, splitter included
    int columnHeight_ = 0; // at the last layout
};

} // namespace quivra::search
