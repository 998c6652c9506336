// The format keys (Ctrl+B, Ctrl+I, Ctrl+U, Ctrl+L, Ctrl+R, Ctrl+E): they act
// on whichever rich-text view has the focus, the note's editor or another
// view made for it (the second note view, the search results).
#pragma once

#include "document/rich_edit_win.h"
#include "editor/format_rules.h"

#include <vector>

namespace quivra::editor {

class FormatKeys {
  public:
    explicit FormatKeys(document::RichEdit& note) : note_(note) {}

    // Another rich-text view the keys act on while it has the focus.
    void addFormatView(document::RichEdit& view) { formatViews_.push_back(&view); }

    void act_boldExecute() { toggleStyle(kStyleBold); }
    void act_itallicExecute() { toggleStyle(kStyleItalic); }
    void act_underlineExecute() { toggleStyle(kStyleUnderline); }
    void act_strikeoutExecute() { toggleStyle(kStyleStrikeOut); }
    void act_al_leftExecute() { alignFocusedView(Alignment::Left); }
    void act_al_rightExecute() { alignFocusedView(Alignment::Right); }
    void act_al_centerExecute() { alignFocusedView(Alignment::Center); }

  private:
    void toggleStyle(unsigned bit);
    void alignFocusedView(Alignment alignment);
    document::RichEdit* focusedView() const;

    document::RichEdit& note_;
    std::vector<document::RichEdit*> formatViews_;
};

// The style bits of a view's selection set to `style`, and a paragraph
// alignment; the bar's buttons write them the same way.
void writeStyle(document::RichEdit& view, unsigned style);
void writeAlignment(document::RichEdit& view, Alignment alignment);

} // namespace quivra::editor
