// The format bar `FormatBar`: a 27 px strip across the top of the editor
// area with the style, alignment, font, colour, list, size and "..." controls
// at their designed places, their faces and hints. The controls notify the
// main window; the editor controller gives them their meaning.
#pragma once

#include "program/subsystem_win.h"
#include "win/button_bar_win.h"
#include "win/handles_win.h"
#include "win/lazy_combo_win.h"
#include "win/panel_win.h"

#include <array>
#include <functional>

namespace quivra::editor {

class FormatBar {
  public:
    inline static constexpr int kHeight = 27;

    void create(HWND editorArea, HWND notifyTarget, program::Host& host);
    // Across the top of the editor area, `width` wide; hidden when not shown.
    void layout(int width, bool shown);
    HWND hwnd() const { return panel_.hwnd(); }
    bool shown() const;

    // The eleven buttons that follow the note's read-only setting, in the
    // order Bold, Italic, Underline, Strike-out, Font, Text colour,
    // Background, List, Left, Centre, Right.
    std::array<win::SpeedButton*, 11> elevenButtons();

    win::SpeedButton BoldButton, ItaButton, UnderButton, StrikeButton;
    win::SpeedButton AlLeft, AlCenter, AlRight;
    win::SpeedButton SelFontButton, SelFontColorButton, BGColorButton, isList, AdvancedButton;
    win::Panel colValue;        // the text colour strip under the colour button
    win::LazyCombo SelFontSize; // an editable box, made when first used
    // Runs once the size box is made, with the combo box.
    std::function<void(HWND combo)> onSizeBoxMade;

    // The strip's colour; repainted only when it changes.
    void setStripColour(COLORREF colour);
    COLORREF stripColour() const noexcept { return strip_; }
    // The place of a button inside the bar, at the window's DPI.
    int xOf(const win::SpeedButton& button) const { return button.rect().left; }
    int yOf(const win::SpeedButton& button) const { return button.rect().top; }

  private:
    win::ButtonBar panel_;
    win::UniqueFont boldFont_, italicFont_, underlineFont_, strikeFont_, plainFont_;
    COLORREF strip_ = CLR_INVALID;
};

} // namespace quivra::editor
