// The confirmation panel `FWarnPan`: a floating panel with a large red
// "Внимание!", the question and the buttons "Да" and "Нет". Commands that ask
// before doing something irreversible (the formatting reset, deleting a note)
// open it with their question and what "Да" does. It closes by "Да", "Нет"
// or when the keyboard focus leaves it; the user drags it by its background or
// its labels, and its context menu fixes or resets its place.
#pragma once

#include "platform/handles_win.h"
#include "platform/subclass_win.h"
#include "window/floating_panels_win.h"

#include <functional>
#include <string>
#include <string_view>

namespace quivra::window {

class ConfirmPanel final : public FloatingPanelWindow {
  public:
    ConfirmPanel() : FloatingPanelWindow(FloatingPanel::Confirm) {}

    // Builds the panel on the notes page and registers it with the floating
    // panels. `afterAnswer` runs once the panel has hidden after "Да" or "Нет"
    // (it gives the editor the focus).
    bool create(HWND notesPage, HWND notifyTarget, int dpi, FloatingPanels& panels,
                std::function<void()> afterAnswer);

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

    HWND yesButton() const noexcept { return yes_; }
    HWND noButton() const noexcept { return no_; }
    HWND questionLabel() const noexcept { return question_; }
    HWND headingLabel() const noexcept { return heading_; }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void drawHeading(const DRAWITEMSTRUCT& item);
    void hideAndReturn();

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
