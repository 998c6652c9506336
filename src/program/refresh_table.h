// The 50 ms refresh of the shown window: rows of the subsystems that set the
// enabled and visible states of their commands, run in one fixed order. The
// facts the rows read are gathered once per tick.
#pragma once

#include <functional>
#include <vector>

namespace quivra::program {

// What every row may read, taken once at the start of a tick.
struct RefreshFacts {
    bool editorEnabled = false;
    bool editorFocused = false;
    bool modified = false;      // the editor's modified flag
    bool readOnly = false;      // the current note's read-only setting
    bool wordWrap = false;      // the current note's word-wrap setting
    bool noteSelected = false;  // a name is selected in the note list
    bool selectionEmpty = true; // the editor's selection
    bool selectionHasCommentMarker = false;
    bool notesPageActive = false;
    bool namePanelShowing = false; // the name panel of the add and rename commands
    bool namesDroppedDown = false; // the note list's drop-down is open
};

// The rows' places in a tick, in the order they run.
enum class RefreshStep {
    CaretColour = 1,    // the colour strip of the format bar
    ChangedMark,        // "*" of the notes toolbar
    Encrypt,            // the encrypt command
    Decrypt,            // the decrypt command
    DecryptToClipboard, // the clipboard decryption command
    NotesToolbar,       // the notes toolbar's visibility
    EditorControls,     // size box, "..." button, search field
    FormatBar,          // the format bar's mirror of the caret
    NotesMenu,          // the note commands of the notes menu
};

class RefreshTable {
  public:
    using Row = std::function<void(const RefreshFacts&)>;

    // Rows of one step run in the order they were added.
    void add(RefreshStep step, Row row);
    // Runs every row in step order.
    void run(const RefreshFacts& facts) const;
    bool empty() const noexcept { return rows_.empty(); }

  private:
    struct Entry {
        RefreshStep step;
        Row row;
    };
    std::vector<Entry> rows_; // kept in step order
};

} // namespace quivra::program
