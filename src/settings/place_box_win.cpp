#include "settings/place_box_win.h"

#include "settings/keys.h"
#include "settings/settings_ids.h"
#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"

namespace quivra::settings {

void PlaceBox::create(HWND p, UINT dpi) {
    const auto px = [dpi](int designed) { return win::scale(designed, dpi); };
    win::createLabel(p, 0, L"Положение:", {px(8), px(11), px(80), px(14)});
    const win::ComboBox place(win::createComboList(p, ID_PLACE, {px(96), px(8), px(140), px(120)}));
    for (const wchar_t* s : {L"Слева", L"Сверху", L"Справа", L"Снизу"})
        place.add(s);
    place.select(0);
    Place = place.hwnd();
}

void PlaceBox::showValues() {
    win::ComboBox(Place).select(index_);
}

HWND PlaceBox::control(int id) const {
    return id == ID_PLACE ? Place : nullptr;
}

void PlaceBox::setPlaceIndex(long index) {
    index_ = (index >= 0 && index <= 3) ? static_cast<int>(index) : -1;
    if (Place)
        win::ComboBox(Place).select(index_);
}

void PlaceBox::PlaceSelect() {
    index_ = win::ComboBox(Place).selected();
    write(host_.settingsFile(), keys::Placement, placeIndex());
    host_.placeSelected(placeIndex());
}

} // namespace quivra::settings
