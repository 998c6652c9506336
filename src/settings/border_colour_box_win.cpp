#include "settings/border_colour_box_win.h"

#include "settings/keys.h"
#include "settings/settings_ids.h"
#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/handles_win.h"
#include "win/wide_win.h"

namespace quivra::settings {

int BorderColourBox::px(int designed) const {
    return win::scale(designed, dpi_);
}

void BorderColourBox::create(HWND p, UINT dpi) {
    dpi_ = dpi;
    win::createLabel(p, 0, L"Цвет границы", {px(8), px(69), px(84), px(14)});
    const win::ComboBox colours(win::createComboList(
        p, ID_BVLCOLOR, {px(96), px(66), px(180), px(300)}, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS));
    for (const auto& c : standardColors())
        colours.add(win::toWide(c.name).c_str());
    BvlColor = colours.hwnd();
}

void BorderColourBox::showValues() {
    win::ComboBox(BvlColor).select(item_);
}

HWND BorderColourBox::control(int id) const {
    return id == ID_BVLCOLOR ? BvlColor : nullptr;
}

COLORREF BorderColourBox::borderColor() const {
    // clNone and clDefault paint nothing of their own: the strips keep the
    // face colour a panel has by default.
    return colorToRgb(colour_, [](int index) { return GetSysColor(index); })
        .value_or(GetSysColor(COLOR_BTNFACE));
}

void BorderColourBox::setBorderColorItem(std::u16string_view name) {
    colour_ = colorFromString(name).value_or(rgbColor(0, 0, 255));
    int found = -1;
    const auto list = standardColors();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].color == colour_)
            found = static_cast<int>(i);
    item_ = found;
    if (BvlColor)
        win::ComboBox(BvlColor).select(found);
}

void BorderColourBox::BvlColorSelect() {
    const int i = win::ComboBox(BvlColor).selected();
    item_ = i;
    if (i >= 0 && i < static_cast<int>(standardColors().size())) {
        colour_ = standardColors()[i].color;
        write(host_.settingsFile(), keys::BorderColor, standardColors()[i].color);
        host_.borderColorSelected(borderColor());
    }
}

bool BorderColourBox::onDrawItem(const DRAWITEMSTRUCT& di) const {
    if (!BvlColor || di.hwndItem != BvlColor)
        return false;
    const auto list = standardColors();
    HDC dc = di.hDC;
    const bool selected = di.itemState & ODS_SELECTED;
    FillRect(dc, &di.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (di.itemID < list.size()) {
        RECT sw{di.rcItem.left + 2, di.rcItem.top + 2, di.rcItem.left + px(22),
                di.rcItem.bottom - 2};
        win::UniqueBrush brush(CreateSolidBrush(list[di.itemID].color.value));
        FillRect(dc, &sw, brush.get());
        FrameRect(dc, &sw, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        const std::wstring name = win::toWide(list[di.itemID].name.substr(2));
        RECT text = di.rcItem;
        text.left = sw.right + px(4);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(dc, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (di.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &di.rcItem);
    return true;
}

bool BorderColourBox::onMeasureItem(MEASUREITEMSTRUCT& mi) const {
    if (mi.CtlID != ID_BVLCOLOR)
        return false;
    mi.itemHeight = px(16);
    return true;
}

} // namespace quivra::settings
