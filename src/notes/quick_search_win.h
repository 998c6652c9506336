// The results panel `QuickSearch` of the quick-add field: a small panel on the
// notes page, just above the field, listing in `QuickList` the notes whose
// names contain the typed text. Enter or a double click in the list opens
// the chosen note; the list's commands reach the notes controller through the
// main window by its identifier.
#pragma once

#include "program/subsystem_win.h"
#include "win/panel_win.h"
#include "win/subclass_win.h"

#include <functional>
#include <string>
#include <vector>

namespace quivra::notes {

class QuickSearchPanel final : public win::Panel {
  public:
    // Where the panel goes; it is made the first time it lists names.
    void create(program::Host& host, HWND notesPage, HWND notifyTarget, int listId);
    void build();

    // Lists the names and shows the panel with its top-left corner there (in
    // the notes page's coordinates), above the other controls.
    void showNames(const std::vector<std::u16string>& names, POINT topLeft);
    void hide();
    bool shown() const;

    const std::vector<std::u16string>& names() const noexcept { return names_; }
    // Selects entry `index` and gives the list the focus.
    void pick(std::size_t index);
    // The selected entry's text; empty when none is selected.
    std::u16string selectedName() const;
    // The list, made on first use.
    HWND list() {
        build();
        return list_;
    }

    // Enter typed in the list (QuickListKeyPress).
    std::function<void()> onEnterKey;

  private:
    program::Host* host_ = nullptr;
    HWND notesPage_ = nullptr;
    HWND notifyTarget_ = nullptr;
    int listId_ = 0;
    HWND list_ = nullptr; // QuickList
    std::vector<std::u16string> names_;
    win::Subclass listKeys_;
};

} // namespace quivra::notes
