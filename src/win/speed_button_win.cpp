#include "win/speed_button_win.h"

#include "win/button_bar_win.h"

namespace quivra::win {

void SpeedButton::create(ButtonBar& bar, int id, Bounds b, Kind kind, std::wstring face,
                         bool enabled) {
    bar_ = &bar;
    id_ = id;
    rect_ = {b.x, b.y, b.x + b.w, b.y + b.h};
    kind_ = kind;
    face_ = std::move(face);
    enabled_ = enabled;
    bar.add(*this);
}

void SpeedButton::setFaceFont(HFONT font) {
    font_ = font;
    redraw();
}

void SpeedButton::makeGroup(const std::vector<SpeedButton*>& group) {
    for (SpeedButton* b : group)
        b->group_ = group;
}

void SpeedButton::setDown(bool down) {
    if (down && kind_ == Kind::Radio)
        for (SpeedButton* other : group_)
            if (other != this && other->down_) {
                other->down_ = false;
                other->redraw();
            }
    if (down_ == down)
        return;
    down_ = down;
    redraw();
}

void SpeedButton::setEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (!enabled)
        pressing_ = hot_ = false;
    redraw();
}

void SpeedButton::click() {
    if (!enabled_)
        return;
    if (kind_ == Kind::Toggle)
        setDown(!down_);
    else if (kind_ == Kind::Radio)
        setDown(true);
    if (bar_)
        bar_->notifyClick(*this);
}

void SpeedButton::redraw() const {
    if (bar_ && bar_->hwnd())
        InvalidateRect(bar_->hwnd(), &rect_, FALSE);
}

void SpeedButton::paint(HDC dc, HFONT barFont) const {
    // Drawn inside its own place only, as a window of its own would be.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
    paintFace(dc, barFont);
    RestoreDC(dc, saved);
}

void SpeedButton::paintFace(HDC dc, HFONT barFont) const {
    RECT r = rect_;
    const bool sunken = down_ || pressing_;
    FillRect(dc, &r, GetSysColorBrush(down_ && !pressing_ ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (sunken)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ && enabled_)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    RECT face = r;
    if (sunken)
        OffsetRect(&face, 1, 1);
    if (drawGlyph) {
        drawGlyph(dc, face, enabled_);
        return;
    }
    HFONT font = font_ ? font_ : barFont;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, face_.c_str(), -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old)
        SelectObject(dc, old);
}

} // namespace quivra::win
