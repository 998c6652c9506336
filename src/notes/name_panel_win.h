// The name panel `NL_Edit` of the add and rename commands: a floating panel on
// the notes page with a prompt, the name field and the confirm and cancel
// buttons. It filters what is typed into the field, turns Enter and Esc into
// the buttons' commands, and hides when the keyboard focus leaves it. The
// controls' commands (the field's changes, the buttons) reach the notes
// controller through the main window by their identifiers.
#pragma once

#include "notes/name_rules.h"
#include "program/subsystem_win.h"
#include "win/subclass_win.h"
#include "window/floating_panels_win.h"

#include <functional>
#include <string>
#include <string_view>

namespace quivra::notes {

class NamePanel final : public window::FloatingPanelWindow {
  public:
    NamePanel() : FloatingPanelWindow(window::FloatingPanel::Name) {}

    // The panel on the notes page, registered with the floating panels; its
    // controls take the identifiers given. It is made the first time it
    // opens; until then it counts as hidden.
    struct Ids {
        int field, confirm, cancel;
    };
    void create(program::Host& host, HWND notesPage, HWND notifyTarget,
                window::FloatingPanels& panels, Ids ids);
    void build();

    // Shows the panel for the task at its place with the field holding
    // `text` (all of it selected and focused) and the confirm button disabled.
    void open(NameTask task, std::u16string_view text);
    NameTask task() const noexcept { return task_; }
    std::u16string text() const;
    void setConfirmEnabled(bool enabled);
    bool confirmEnabled() const;
    // Hidden without a word (cancel, losing the focus, after a confirm).
    void close();

    // Enter in the field (the confirm command, if its button is enabled) and
    // Esc (the cancel command).
    std::function<void()> onEnterKey;
    std::function<void()> onEscKey;
    // The panel has closed, whichever way.
    std::function<void()> onClosed;

    // The controls, made on first use.
    HWND field() {
        build();
        return field_;
    }
    HWND confirmButton() {
        build();
        return confirm_;
    }
    HWND cancelButton() {
        build();
        return cancel_;
    }
    HWND prompt() {
        build();
        return prompt_;
    }

  private:
    // A mouse button went down on the panel or its prompt.
    void NL_EditMouseDown(window::MouseButton button) { startDrag(button); }
    std::optional<LRESULT> onFieldMessage(UINT msg, WPARAM wp, LPARAM lp,
                                          const win::Subclass::Next& next);

    program::Host* host_ = nullptr;
    HWND notesPage_ = nullptr;
    HWND notifyTarget_ = nullptr;
    Ids ids_{};
    window::FloatingPanels* panels_ = nullptr;
    NameTask task_ = NameTask::Add;
    HWND prompt_ = nullptr;  // lblEditHint
    HWND field_ = nullptr;   // NewNName
    HWND confirm_ = nullptr; // NL_Dynamic
    HWND cancel_ = nullptr;  // NL_Cancel
    win::Subclass fieldKeys_;
};

} // namespace quivra::notes
