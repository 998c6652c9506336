// A flat button that never takes the keyboard focus, so that clicking it
// leaves the focus where it was (the format bar's buttons act on the editor
// while the editor keeps the focus). It is a push button, a toggle that may be
// released again, or one of a radio group. A click notifies the parent with
// WM_COMMAND / BN_CLICKED after the button has changed its state; BM_CLICK,
// BM_GETCHECK and BM_SETCHECK work as on a standard button, so other programs
// can drive it too.
#pragma once

#include "platform/controls_win.h"
#include "platform/window_win.h"

#include <functional>
#include <string>
#include <vector>

namespace quivra::win {

class SpeedButton final : public Window {
  public:
    enum class Kind { Push, Toggle, Radio };

    bool create(HWND parent, int id, Bounds bounds, Kind kind, std::wstring face,
                bool enabled = true);
    // The face's font (not owned); the parent's font otherwise.
    void setFaceFont(HFONT font);
    // Draws the face instead of the text (glyph buttons).
    std::function<void(HDC dc, const RECT& face, bool enabled)> drawGlyph;
    // The right mouse button released over the button.
    std::function<void()> onRightUp;

    // Radio buttons pressed one at a time.
    static void makeGroup(const std::vector<SpeedButton*>& group);

    bool down() const noexcept { return down_; }
    void setDown(bool down);
    void setEnabled(bool enabled);
    bool enabled() const;
    // What a left click does: flips a toggle, presses a radio button, then
    // notifies the parent. Nothing while disabled.
    void click();

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void paint(HDC dc);
    bool pointInside(LPARAM lp) const;

    Kind kind_ = Kind::Push;
    std::wstring face_;
    HFONT font_ = nullptr;
    std::vector<SpeedButton*> group_;
    bool down_ = false;
    bool pressing_ = false; // left button held over it
    bool hot_ = false;      // mouse over it
};

} // namespace quivra::win
