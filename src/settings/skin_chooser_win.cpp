#include "settings/skin_chooser_win.h"

#include "base/text_services.h"
#include "settings/keys.h"
#include "settings/settings_ids.h"
#include "skins/skin.h"
#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/wide_win.h"

namespace quivra::settings {

void SkinChooser::create(HWND p, UINT dpi) {
    const auto px = [dpi](int designed) { return win::scale(designed, dpi); };
    sLabel6 = win::createLabel(p, ID_SLABEL6, L"Скин:", {px(8), px(40), px(80), px(14)}, SS_NOTIFY);
    SkinsList = win::createComboList(p, ID_SKINSLIST, {px(96), px(37), px(180), px(200)});
}

void SkinChooser::showValues() {
    const win::ComboBox list(SkinsList);
    for (const auto& name : skins_)
        list.add(name.c_str());
    list.select(selected_);
}

HWND SkinChooser::control(int id) const {
    return id == ID_SLABEL6 ? sLabel6 : id == ID_SKINSLIST ? SkinsList : nullptr;
}

void SkinChooser::refreshSkinsList(std::u16string_view storedName) {
    skins_ = {L""};
    for (const auto& name : skins::listSkinNames(host_.skinsFolder()))
        skins_.push_back(win::toWide(name));
    // Skin files are found whatever the letter case of their names, so the
    // stored name is matched the same way.
    selected_ = -1;
    for (std::size_t i = 0; i < skins_.size(); ++i)
        if (base::equalsIgnoreCase(win::toU16(skins_[i]), storedName)) {
            selected_ = static_cast<int>(i);
            break;
        }
    if (!SkinsList)
        return;
    const win::ComboBox list(SkinsList);
    list.clear();
    for (const auto& name : skins_)
        list.add(name.c_str());
    list.select(selected_);
}

std::wstring SkinChooser::selectedSkinName() const {
    const int i = selected_;
    return i >= 0 && i < static_cast<int>(skins_.size()) ? skins_[i] : std::wstring();
}

void SkinChooser::skinChosen() {
    selected_ = win::ComboBox(SkinsList).selected();
    SkinsListSelect();
}

void SkinChooser::SkinsListSelect() {
    const std::wstring name = selectedSkinName();
    write(host_.settingsFile(), keys::SkinName, win::toU16(name));
    host_.applySkin(name);
}

void SkinChooser::applyStoredSkin() {
    // A stored skin missing from the folder (for now) is not forgotten:
    // the key keeps its name and the program's own look is used meanwhile.
    const std::wstring name = selectedSkinName();
    if (!name.empty())
        write(host_.settingsFile(), keys::SkinName, win::toU16(name));
    host_.applySkin(name);
}

void SkinChooser::sLabel6Click() {
    refreshSkinsList(read(host_.settingsFile(), keys::SkinName));
}

} // namespace quivra::settings
