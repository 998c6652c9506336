#include "window/panel_places.h"

#include "settings/keys.h"

namespace quivra::window {

namespace {

struct PanelKeys {
    const settings::CoordKey& x;
    const settings::CoordKey& y;
};

PanelKeys keysOf(FloatingPanel panel) {
    namespace k = settings::keys;
    switch (panel) {
    case FloatingPanel::Font:
        return {k::FontPanel_x, k::FontPanel_y};
    case FloatingPanel::Name:
        return {k::EditPanel_x, k::EditPanel_y};
    case FloatingPanel::Confirm:
        return {k::ConfirmPanel_x, k::ConfirmPanel_y};
    case FloatingPanel::Password:
        break;
    }
    return {k::EDPanel_x, k::EDPanel_y};
}

Point centred(Size area, Size panel) {
    return {area.width / 2 - panel.width / 2, area.height / 2 - panel.height / 2};
}

std::size_t indexOf(FloatingPanel panel) {
    return static_cast<std::size_t>(panel);
}

} // namespace

Size panelSize(FloatingPanel panel) {
    switch (panel) {
    case FloatingPanel::Font:
        return {182, 263};
    case FloatingPanel::Name:
        return {303, 86};
    case FloatingPanel::Confirm:
        return {353, 160};
    case FloatingPanel::Password:
        break;
    }
    return {353, 159};
}

Point defaultPanelPlace(FloatingPanel panel, const PanelAreas& areas, PasswordUse use,
                        std::optional<Size> size) {
    const auto px = [&areas](int designed) { return base::scaledToDpi(designed, areas.dpi); };
    const Size designed = panelSize(panel);
    const Size s = size.value_or(Size{px(designed.width), px(designed.height)});
    switch (panel) {
    case FloatingPanel::Font:
        return {px(3), px(3)};
    case FloatingPanel::Name:
    case FloatingPanel::Confirm:
        return centred(areas.notesPage, s);
    case FloatingPanel::Password:
        break;
    }
    Point p = centred(areas.editor, s);
    if (use == PasswordUse::EncryptOrDecrypt)
        p.y += px(20);
    return p;
}

Point panelOpenPlace(const base::IniFile& ini, FloatingPanel panel, const PanelAreas& areas,
                     PasswordUse use, std::optional<Size> size) {
    const Point def = defaultPanelPlace(panel, areas, use, size);
    const PanelKeys keys = keysOf(panel);
    const auto stored = [&](const settings::CoordKey& key, int otherwise) {
        const auto value = settings::read(ini, key);
        return value ? base::scaledToDpi(static_cast<int>(*value), areas.dpi) : otherwise;
    };
    return {stored(keys.x, def.x), stored(keys.y, def.y)};
}

void fixPanelPlaces(base::IniFile& ini, const ShownPanels& shown, int dpi) {
    for (FloatingPanel panel : kFloatingPanels)
        if (const auto& at = shown[indexOf(panel)]) {
            const PanelKeys keys = keysOf(panel);
            settings::write(ini, keys.x, base::designedFromDpi(at->x, dpi));
            settings::write(ini, keys.y, base::designedFromDpi(at->y, dpi));
        }
}

std::vector<PanelMove> resetPanelPlaces(base::IniFile& ini, const ShownPanels& shown,
                                        const PanelAreas& areas) {
    std::vector<PanelMove> moves;
    for (FloatingPanel panel : kFloatingPanels)
        if (shown[indexOf(panel)]) {
            const PanelKeys keys = keysOf(panel);
            settings::remove(ini, keys.x);
            settings::remove(ini, keys.y);
            moves.push_back({panel, defaultPanelPlace(panel, areas)});
        }
    return moves;
}

std::vector<PanelMove> panelPlacesAfterResize(const ShownPanels& shown, const PanelAreas& areas) {
    std::vector<PanelMove> moves;
    for (auto it = kFloatingPanels.rbegin(); it != kFloatingPanels.rend(); ++it)
        if (shown[indexOf(*it)])
            moves.push_back({*it, defaultPanelPlace(*it, areas)});
    return moves;
}

} // namespace quivra::window
