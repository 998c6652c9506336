// A flat button that never takes the keyboard focus, so that clicking it
// leaves the focus where it was (the format bar's buttons act on the editor
// while the editor keeps the focus). It is a push button, a toggle that may be
// released again, or one of a radio group. It is no window of its own: the
// bar it lies on draws it and hands it the mouse (see ButtonBar), which keeps
// a bar of buttons as cheap to make as one window. A click notifies the bar's
// notify target with WM_COMMAND / BN_CLICKED and the button's id after the
// button has changed its state.
#pragma once

#include "win/controls_win.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quivra::win {

class ButtonBar;

class SpeedButton {
  public:
    enum class Kind { Push, Toggle, Radio };

    SpeedButton() = default;
    SpeedButton(const SpeedButton&) = delete;
    SpeedButton& operator=(const SpeedButton&) = delete;

    // Lies on `bar` at `bounds` (the bar's client coordinates).
    void create(ButtonBar& bar, int id, Bounds bounds, Kind kind, std::wstring face,
                bool enabled = true);
    // The hint its tooltip shows; its first line names the button for a
    // screen reader, the lines after it describe it.
    void setHint(std::wstring hint) { hint_ = std::move(hint); }
    const std::wstring& hint() const noexcept { return hint_; }
    // The face's font (not owned); the bar's font otherwise.
    void setFaceFont(HFONT font);
    // Draws the face instead of the text (glyph buttons).
    std::function<void(HDC dc, const RECT& face, bool enabled)> drawGlyph;
    // The right mouse button released over the button while it is enabled.
    std::function<void()> onRightUp;

    // Radio buttons pressed one at a time.
    static void makeGroup(const std::vector<SpeedButton*>& group);

    int id() const noexcept { return id_; }
    // Its place on the bar.
    const RECT& rect() const noexcept { return rect_; }
    const std::wstring& face() const noexcept { return face_; }

    bool down() const noexcept { return down_; }
    void setDown(bool down);
    void setEnabled(bool enabled);
    bool enabled() const noexcept { return enabled_; }
    Kind kind() const noexcept { return kind_; }
    // Held down by the mouse right now.
    bool pressing() const noexcept { return pressing_; }
    // What a left click does: flips a toggle, presses a radio button, then
    // notifies. Nothing while disabled.
    void click();

  private:
    friend class ButtonBar;
    void paint(HDC dc, HFONT barFont) const;
    void paintFace(HDC dc, HFONT barFont) const;
    void redraw() const;

    ButtonBar* bar_ = nullptr;
    int id_ = 0;
    RECT rect_{};
    Kind kind_ = Kind::Push;
    std::wstring face_;
    std::wstring hint_;
    HFONT font_ = nullptr;
    std::vector<SpeedButton*> group_;
    bool down_ = false;
    bool enabled_ = true;
    bool pressing_ = false; // left button held over it
    bool hot_ = false;      // mouse over it
};

} // namespace quivra::win
