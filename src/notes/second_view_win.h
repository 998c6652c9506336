// The second note view: the read-only view `Note2` under the editor, showing
// a note as its file holds it, the splitter `spl2note` above it, and in the
// bar under the editor the chooser `Note2List` and the button `Close2Note`.
// A choice in the chooser opens the view; the button and every switch of the
// current note close it.
#pragma once

#include "document/rich_edit_win.h"
#include "notes/note_events.h"
#include "notes/note_on_disk.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/lazy_combo_win.h"
#include "win/panel_win.h"
#include "win/splitter_drag_win.h"
#include "win/subclass_win.h"

#include "document/view_registry.h"

#include <functional>
#include <string>

namespace quivra::notes {

class SecondView {
  public:
    SecondView(program::Host& host, program::ProgramState& state, const settings::Options& options,
               document::ViewRegistry& views, NoteEvents& events)
        : host_(host), state_(state), options_(options), views_(views), events_(events) {}

    struct Ids {
        int view, chooser, close;
    };
    // The view and its splitter in the editor area (hidden), the chooser and
    // the button in the bar under the editor.
    void create(HWND editorArea, HWND bar, HWND notifyTarget, Ids ids);

    // The chooser and the button at the right end of the bar; returns the x
    // where they begin (the search field fills the bar up to there).
    int layoutBar(int barWidth);
    // The view and its splitter at the bottom of the space from `top` (under
    // the format bar) to `bottom` (over the bar) while the view is open;
    // returns where the editor ends.
    int layout(int width, int top, int bottom);

    void Note2ListSelect();
    void Close2NoteClick();
    // The note shown got a new name: the chooser names it by the new one.
    // Call after the chooser holds the new names.
    void noteRenamed(const std::wstring& from, const std::wstring& to);
    bool shown() const;
    int height() const noexcept { return height_; }
    // Another program rewrote the note shown (a synchronised folder): the
    // view shows the file's new content where the user was reading. A file
    // unreadable for now leaves the view as it is; a file deleted closes it
    // once the chooser no longer lists it.
    void followFile();

    // The view, made on first use.
    document::RichEdit& view();
    HWND chooser() const noexcept { return chooser_.hwnd(); }
    HWND closeButton() const noexcept { return close_; }
    HWND splitter() const noexcept { return splitter_.hwnd(); }

    // The view or its chooser gained the focus (Note2Enter, Note2ListEnter).
    std::function<void()> onFocusEnter;

  private:
    std::optional<LRESULT> onViewMessage(UINT msg, WPARAM wp, LPARAM lp,
                                         const win::Subclass::Next& next);
    void showContextMenu(POINT screen);

    program::Host& host_;
    HWND editorArea_ = nullptr;
    HWND notifyTarget_ = nullptr;
    int viewId_ = 0;
    program::ProgramState& state_;
    const settings::Options& options_;
    document::ViewRegistry& views_;
    NoteEvents& events_;
    document::RichEdit view_; // Note2
    win::Panel splitter_;     // spl2note
    win::LazyCombo chooser_;  // Note2List
    HWND close_ = nullptr;    // Close2Note
    win::Subclass viewEvents_;
    win::SplitterDrag splitterDrag_;
    std::wstring shownName_; // the note the view shows; empty while closed
    FileStamp shownStamp_;   // its file as the view read it
    int height_ = 0;         // the view's height now
    int openedHeight_ = 0;   // Note2Height: its height when it was last opened
    int top_ = 0;            // the space the editor and the view share
    int bottom_ = 0;
};

} // namespace quivra::notes
