// The colour palette `ColorPan` of the format bar's two colour buttons: sixteen
// swatches on a small panel of the editor area that slides down from behind
// the format bar, takes the keyboard focus, and slides back up and hides when
// it loses it. Its mode says which colour a pick sets. From the keyboard the
// arrow keys move a focus frame over the swatches, Enter or Space picks and
// Esc leaves.
#pragma once

#include "editor/format_rules.h"
#include "win/accessible_win.h"
#include "win/window_win.h"

#include <functional>

namespace quivra::editor {

class ColourPalette final : public win::Window, private win::AccessibleSource {
  public:
    // A hidden child of the editor area, made when first opened.
    void create(HWND editorArea, int id, int dpi);

    // Sets the mode, shows the palette under `bar` (in the z-order too: the
    // bar covers it while it slides) with its left at `left`, gives it the
    // focus and slides it down until it hangs below the bar. Pending messages
    // run between the steps.
    void open(PaletteMode mode, int left, HWND bar, bool animate);
    // Slides it back up behind the bar and hides it.
    void close(HWND bar, bool animate);
    PaletteMode mode() const noexcept { return mode_; }
    bool shown() const;

    // A click in the palette, with the swatch it picked (colorPanClick).
    std::function<void(std::size_t swatch)> onPick;
    // The palette lost the keyboard focus (colorPanExit).
    std::function<void()> onLeave;
    // Esc was typed: the palette gives the focus back (and so leaves).
    std::function<void()> onEscape;

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    // A screen reader reads the palette as a list of its colours.
    std::wstring accessibleName() const override;
    long accessibleRole() const override;
    int accessibleItemCount() const override;
    win::AccessibleItem accessibleItem(int index) const override;
    void accessibleDoDefault(int index) override;

    void paint(HDC dc);
    int barBottom(HWND bar) const;
    void moveTop(int top);
    bool onKey(WPARAM key);

    bool make();

    HWND editorArea_ = nullptr;
    int id_ = 0;
    int dpi_ = 96;
    PaletteMode mode_ = PaletteMode::TextColour;
    std::size_t focused_ = 0; // the swatch the keys pick
    win::AccessibleAnswer accessible_;
};

} // namespace quivra::editor
