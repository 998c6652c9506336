// The settings page's making, routing and command table; the parts hold the
// handlers.
#include "settings/settings_page_win.h"

#include "settings/keys.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"

#include <stdexcept>
#include <string>

namespace quivra::settings {

int SettingsPage::px(int designed) const {
    return win::scale(designed, dpi_);
}

void SettingsPage::create(std::function<HWND()> page, HWND notifyTarget, UINT dpi, HFONT font) {
    pageSource_ = std::move(page);
    notifyTarget_ = notifyTarget;
    dpi_ = dpi;
    font_ = font;
}

void SettingsPage::ensureBuilt() {
    if (built_)
        return;
    built_ = true;
    page_ = pageSource_();
    build();
    win::setFontTree(page_, font_);
    showValues();
    layout(width_, height_);
    if (skins::skinEngine().isActive())
        skins::skinEngine().applyTo(page_);
}

void SettingsPage::layout(int width, int height) {
    width_ = width;
    height_ = height;
    if (!built_)
        return;
    tabs_.layout(width, height);
    SetWindowPos(browsePanel_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND SettingsPage::control(int id) {
    ensureBuilt();
    return existing(id);
}

HWND SettingsPage::existing(int id) const {
    if (const OptionBox* b = boxes_.box(id))
        return b->hwnd;
    if (id == ID_CLEARCOORDS)
        return ClearCoordsButton;
    if (id == ID_TREE)
        return browsePanel_.control(id); // null until the panel is first opened
    for (HWND hwnd : {tabs_.control(id), hotkeyField_.control(id), sliders_.control(id),
                      dataFolder_.control(id), browsePanel_.control(id), skins_.control(id),
                      borderColour_.control(id), place_.control(id), linkProgram_.control(id)})
        if (hwnd)
            return hwnd;
    throw std::logic_error("the settings page has no control " + std::to_string(id));
}

program::Commands<SettingsPage> SettingsPage::commands() {
    using S = SettingsPage;
    constexpr int clicked = BN_CLICKED;
    static constexpr program::Command<S> kCommands[] = {
        {.id = ID_G1,
         .caption = L"Перезапустить",
         .menu = kQuitMenu,
         .run = [](S& s) { s.tabs_.G1Click(); }},
        {.id = ID_PLACE, .run = [](S& s) { s.place_.PlaceSelect(); }, .code = CBN_SELCHANGE},
        {.id = ID_DATADIRV, .run = [](S& s) { s.dataFolder_.dataDirTyped(); }, .code = EN_CHANGE},
        {.id = ID_CUSTOMDIRV,
         .run = [](S& s) { s.dataFolder_.customDirTyped(); },
         .code = EN_CHANGE},
        {.id = ID_CUSTOMBROWSERPATH,
         .run = [](S& s) { s.linkProgram_.customBrowserTyped(); },
         .code = EN_CHANGE},
        {.id = ID_WD_OWNDIR,
         .run = [](S& s) { s.dataFolder_.dataDirChoiceClick(); },
         .code = clicked},
        {.id = ID_WD_CUSTOMDIR,
         .run = [](S& s) { s.dataFolder_.dataDirChoiceClick(); },
         .code = clicked},
        {.id = ID_HOTKEYKEYS, .run = [](S& s) { s.hotkeyField_.onChanged(); }, .code = EN_CHANGE},
        {.id = ID_SKINSLIST, .run = [](S& s) { s.skins_.skinChosen(); }, .code = CBN_SELCHANGE},
        {.id = ID_SLABEL6, .run = [](S& s) { s.skins_.sLabel6Click(); }, .code = STN_CLICKED},
        {.id = ID_BVLCOLOR,
         .run = [](S& s) { s.borderColour_.BvlColorSelect(); },
         .code = CBN_SELCHANGE},
        {.id = ID_APPLYDATADIR,
         .run = [](S& s) { s.dataFolder_.ApplyDataDirClick(); },
         .code = clicked},
        {.id = ID_CLEARCOORDS, .run = &S::ClearCoordsButtonClick, .code = clicked},
        {.id = ID_BQUIT, .run = [](S& s) { s.tabs_.bQuitClick(); }, .code = clicked},
        {.id = ID_CHOOSEBROWSER,
         .run = [](S& s) { s.linkProgram_.ChooseBrowserClick(); },
         .code = clicked},
        {.id = ID_BROWSERDELETE,
         .run = [](S& s) { s.linkProgram_.BrowserDeleteClick(); },
         .code = clicked},
        {.id = ID_CUSTOMDIRBROWSE,
         .run = [](S& s) { s.browsePanel_.CustomDirBrowseClick(); },
         .code = clicked},
        {.id = ID_BROWSEOK, .run = [](S& s) { s.browsePanel_.browseOkClick(); }, .code = clicked},
        {.id = ID_BROWSECANCEL,
         .run = [](S& s) { s.browsePanel_.BrowseCancelClick(); },
         .code = clicked},
        {.id = ID_BROWSECREATE,
         .run = [](S& s) { s.browsePanel_.BrowseCreateClick(); },
         .code = clicked},
        {.id = ID_FN_OK, .run = [](S& s) { s.browsePanel_.FN_okClick(); }, .code = clicked},
        {.id = ID_FN_CANEL, .run = [](S& s) { s.browsePanel_.FN_CanelClick(); }, .code = clicked},
    };
    return kCommands;
}

bool SettingsPage::onCommand(int id, int code, HWND ctl) {
    if (showingValues_)
        return true; // the page's own setting of its controls
    if (boxes_.onClicked(id, code, ctl))
        return true;
    return program::runCommand(commands(), *this, id, code);
}

bool SettingsPage::onNotify(NMHDR& hdr, LRESULT& result) {
    return tabs_.onNotify(hdr, result) || browsePanel_.onNotify(hdr, result);
}

void SettingsPage::ClearCoordsButtonClick() {
    // The floating panels take their default places when next shown.
    host_.settingsFile().eraseSection(kCoordsSection);
}

} // namespace quivra::settings
