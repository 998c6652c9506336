#include "win/splitter_drag_win.h"

namespace quivra::win {

void SplitterDrag::attach(HWND splitter, Moves moves, std::function<void(POINT)> onMove,
                          std::function<void()> onRelease) {
    splitter_ = splitter;
    moves_ = moves;
    onMove_ = std::move(onMove);
    onRelease_ = std::move(onRelease);
    events_.attach(splitter, [this](UINT msg, WPARAM, LPARAM lp, const Subclass::Next&) {
        return onMessage(msg, lp);
    });
}

std::optional<LRESULT> SplitterDrag::onMessage(UINT msg, LPARAM lp) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, moves_ == Moves::UpDown ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        dragging_ = true;
        SetCapture(splitter_);
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_ && onMove_) {
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            MapWindowPoints(splitter_, GetParent(splitter_), &pt, 1);
            onMove_(pt);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == splitter_) {
            ReleaseCapture(); // WM_CAPTURECHANGED ends the drag
            if (onRelease_)
                onRelease_();
        }
        dragging_ = false;
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace quivra::win
