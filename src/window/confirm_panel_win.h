// The confirmation panel `FWarnPan`: a floating panel with a large red
// "Внимание!", the question and the buttons "Да" and "Нет". Commands that ask
// before doing something irreversible (the formatting reset, deleting a note)
// open it with their question and what "Да" does. It closes by "Да", "Нет"
// or when the keyboard focus leaves it; the user drags it by its background or
// its labels, and its context menu fixes or resets its place.
#pragma once

#include "program/subsystem_win.h"
#include "win/handles_win.h"
#include "win/subclass_win.h"
#include "window/floating_panels_win.h"

#include <functional>
#include <string>
#include <string_view>

namespace quivra::window {

class ConfirmPanel final : public FloatingPanelWindow {
  public:
    ConfirmPanel() : FloatingPanelWindow(FloatingPanel::Confirm) {}

    // Where the panel goes: the notes page; it is registered with the
    // floating panels at once and made the first time it asks. `afterAnswer`
    // runs once the panel has hidden after "Да" or "Нет" (it gives the editor
    // the focus).
    void create(program::Host& host, HWND notesPage, HWND notifyTarget, FloatingPanels& panels,
                std::function<void()> afterAnswer);
    void build();

    // Where the panel opens: at its fixed place (else centred), or always
    // centred whatever place was fixed.
    enum class Place { FixedOrDefault, Default };
    // Shows the question (a lone '\r' breaks the line) with "Нет" focused, so
    // Enter or Space answers no; `onYes` runs if the answer is "Да".
    void ask(std::u16string_view question, std::function<void()> onYes, Place place);

    void Warn_YesClick();
    void Warn_NoClick();
    // The focus went elsewhere: hidden, nothing else happens.
    void FWarnPanExit();

    // The controls, made on first use.
    HWND yesButton() {
        build();
        return yes_;
    }
    HWND noButton() {
        build();
        return no_;
    }
    HWND questionLabel() {
        build();
        return question_;
    }
    HWND headingLabel() {
        build();
        return heading_;
    }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    // A mouse button went down on the panel or one of its labels.
    void FWarnPanMouseDown(MouseButton button) { startDrag(button); }
    void drawHeading(const DRAWITEMSTRUCT& item);
    void hideAndReturn();

    program::Host* host_ = nullptr;
    HWND notesPage_ = nullptr;
    HWND notifyTarget_ = nullptr;
    FloatingPanels* panels_ = nullptr;
    int dpi_ = 96;
    HWND heading_ = nullptr;  // WarnLabel
    HWND question_ = nullptr; // WLabel
    HWND yes_ = nullptr;      // Warn_Yes
    HWND no_ = nullptr;       // Warn_No
    win::UniqueFont headingFont_;
    win::UniqueFont questionFont_;
    win::Subclass yesKeys_;
    win::Subclass noKeys_;
    std::function<void()> onYes_;
    std::function<void()> afterAnswer_;
};

} // namespace quivra::window
