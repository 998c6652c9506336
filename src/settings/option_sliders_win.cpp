#include "settings/option_sliders_win.h"

#include "settings/keys.h"
#include "settings/settings_ids.h"

#include <commctrl.h>

#include <algorithm>

namespace quivra::settings {

namespace {

std::size_t indexOf(int id) {
    return id == ID_OPVAL ? 0 : id == ID_DELAYSHOWBAR ? 1 : 2;
}

} // namespace

void OptionSliders::create(HWND parent, int id, win::Bounds bounds) {
    // The ranges: opacity 50-255, the slide steps 10-100.
    HWND slider = id == ID_OPVAL ? win::createTrackbar(parent, id, bounds, 50, 255)
                                 : win::createTrackbar(parent, id, bounds, 10, 100);
    (id == ID_OPVAL ? OpVal : id == ID_DELAYSHOWBAR ? DelayShowBar : DelayHideBar) = slider;
    // A slider's key is written when the mouse button is released over it.
    mouseUpEvents_[indexOf(id)].attach(
        slider,
        [this, slider](UINT msg, WPARAM, LPARAM lp,
                       const win::Subclass::Next& next) -> std::optional<LRESULT> {
            if (msg != WM_LBUTTONUP && msg != WM_RBUTTONUP && msg != WM_MBUTTONUP)
                return std::nullopt;
            const LRESULT r = next();
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            RECT rc;
            GetClientRect(slider, &rc);
            if (PtInRect(&rc, pt))
                onSliderMouseUp(slider);
            return r;
        });
}

void OptionSliders::showValues() {
    for (int id : {ID_OPVAL, ID_DELAYSHOWBAR, ID_DELAYHIDEBAR})
        SendMessageW(control(id), TBM_SETPOS, TRUE, slot(id));
}

HWND OptionSliders::control(int id) const {
    switch (id) {
    case ID_OPVAL:
        return OpVal;
    case ID_DELAYSHOWBAR:
        return DelayShowBar;
    case ID_DELAYHIDEBAR:
        return DelayHideBar;
    default:
        return nullptr;
    }
}

int& OptionSliders::slot(int id) {
    return positions_[indexOf(id)];
}

int OptionSliders::slot(int id) const {
    return positions_[indexOf(id)];
}

int OptionSliders::position(int id) const {
    return slot(id);
}

void OptionSliders::setPosition(int id, long value) {
    const long lo = id == ID_OPVAL ? 50 : 10;
    const long hi = id == ID_OPVAL ? 255 : 100;
    slot(id) = static_cast<int>(std::clamp(value, lo, hi));
    if (HWND slider = control(id))
        SendMessageW(slider, TBM_SETPOS, TRUE, slot(id));
    if (id == ID_OPVAL)
        host_.setOpacity(position(ID_OPVAL));
}

void OptionSliders::enable(int id, bool enabled) {
    if (HWND slider = control(id))
        EnableWindow(slider, enabled);
}

bool OptionSliders::onScroll(HWND ctl) {
    for (int id : {ID_OPVAL, ID_DELAYSHOWBAR, ID_DELAYHIDEBAR}) {
        if (ctl != control(id))
            continue;
        slot(id) = static_cast<int>(SendMessageW(ctl, TBM_GETPOS, 0, 0));
        if (id == ID_OPVAL)
            OpValChange();
        return true;
    }
    return false;
}

void OptionSliders::OpValChange() {
    host_.setOpacity(position(ID_OPVAL));
}

void OptionSliders::onSliderMouseUp(HWND ctl) {
    if (ctl == DelayShowBar)
        DelayShowBarMouseUp();
    else if (ctl == DelayHideBar)
        DelayHideBarMouseUp();
    else if (ctl == OpVal)
        OpValMouseUp();
}

void OptionSliders::DelayShowBarMouseUp() {
    write(host_.settingsFile(), keys::DelayShow, position(ID_DELAYSHOWBAR));
}

void OptionSliders::DelayHideBarMouseUp() {
    write(host_.settingsFile(), keys::DelayHide, position(ID_DELAYHIDEBAR));
}

void OptionSliders::OpValMouseUp() {
    write(host_.settingsFile(), keys::Opacity, position(ID_OPVAL));
}

} // namespace quivra::settings
