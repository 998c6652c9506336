// What the two donation windows share: a borderless always-on-top tool
// window centred on the screen, with a one-pixel frame and a coloured header
// strip by which it can be dragged. Both start hidden.
#pragma once

#include "win/window_win.h"

#include <vector>

namespace quivra::donation {

class DonationWindow : public win::Window {
  public:
    void show();
    void hide();
    bool isShowing() const;

  protected:
    // Creates the hidden window, `width` x `height` at 96 DPI, centred on the
    // primary screen.
    bool createFrame(const wchar_t* className, const wchar_t* title, int width, int height);

    // A designed size in this window's pixels.
    int px(int designed) const;
    // Tahoma (Cyrillic) with the given character height at 96 DPI; the window
    // owns the font. 11 px is 8 pt.
    HFONT font(int charHeight, int weight = FW_NORMAL);

    // A child control at a designed place; `style` is added to WS_CHILD |
    // WS_VISIBLE.
    HWND addControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
                    int y, int w, int h, HFONT font, DWORD exStyle = 0);
    // The header strip across the top, `height` designed pixels high
    // including the frame line above it.
    HWND addHeader(int id, const wchar_t* text, int height, HFONT font);

    // A button was clicked.
    virtual void onButton(int id) = 0;

    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void OnPaint();
    LRESULT OnNcHitTest(LPARAM lp);
    LRESULT OnCtlColorStatic(HDC dc, HWND control);

    UINT dpi_ = 96;
    HWND header_ = nullptr;
    int headerHeight_ = 0;
    win::UniqueBrush headerBrush_;
    win::UniqueBrush frameBrush_;
    std::vector<win::UniqueFont> fonts_;
};

} // namespace quivra::donation
