// A panel that carries speed buttons: it draws them, tracks the mouse over
// them (hot, pressed, captured while the left button is held) and tells its
// notify target of their clicks. A screen reader finds the buttons as the
// items of the bar's accessible object, in the bar's order. Everything else
// it does as a panel.
#pragma once

#include "win/panel_win.h"
#include "win/speed_button_win.h"

#include <vector>

namespace quivra::win {

class ButtonBar final : public Panel {
  public:
    // The button under a point of the bar's client area, or null.
    SpeedButton* buttonAt(POINT p) const;
    // The font of buttons without a face font of their own (not owned).
    void setFont(HFONT font) { font_ = font; }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    int accessibleItemCount() const override { return static_cast<int>(buttons_.size()); }
    AccessibleItem accessibleItem(int index) const override;
    void accessibleDoDefault(int index) override;

  private:
    friend class SpeedButton;
    // Kept in the bar's order, left to right, whatever the order they were made in.
    void add(SpeedButton& button);
    void notifyClick(const SpeedButton& button);

    void paint(HDC dc) const;
    void track(SpeedButton* under);
    bool press(LPARAM lp);
    bool release(LPARAM lp);
    void endPress();

    std::vector<SpeedButton*> buttons_;
    HFONT font_ = nullptr;
    SpeedButton* hot_ = nullptr;     // under the mouse
    SpeedButton* pressed_ = nullptr; // the left button went down on it
    bool leaveTracked_ = false;
};

} // namespace quivra::win
