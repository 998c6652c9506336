// The settings page's controls: made when the page is first shown, from the
// options the parts hold by then, in the order of the pages (which is the
// order the keyboard's Tab goes through them).
#include "settings/settings_page_win.h"

#include "win/accessible_win.h"
#include "win/controls_win.h"

namespace quivra::settings {

void SettingsPage::build() {
    HWND page = page_;
    hints_.create(page);
    tabs_.create(page, notifyTarget_, dpi_);
    buildGeneralPage(tabs_.pageHandle(0));
    buildNotesPage(tabs_.pageHandle(1));
    buildViewPage(tabs_.pageHandle(2));

    win::UniqueMenu quitMenu(CreatePopupMenu());
    program::appendMenuItems(commands(), kQuitMenu, quitMenu.get());
    tabs_.createQuitButton(page, std::move(quitMenu));

    browsePanel_.create(page, notifyTarget_, dpi_);
}

void SettingsPage::showValues() {
    showingValues_ = true;
    boxes_.showValues();
    sliders_.enable(ID_DELAYSHOWBAR, boxes_.ticked(ID_ISANISHOW));
    sliders_.enable(ID_DELAYHIDEBAR, boxes_.ticked(ID_ISANIHIDE));
    sliders_.showValues();
    place_.showValues();
    borderColour_.showValues();
    skins_.showValues();
    dataFolder_.showValues();
    linkProgram_.showValues();
    hotkeyField_.showValues();
    tabs_.showValues();
    showingValues_ = false;
}

void SettingsPage::buildGeneralPage(HWND p) {
    const int ids[] = {ID_ISTRAYICON,           ID_ISFOCUSONTRAYCLICK, ID_ISDBLCLICK,
                       ID_ISENABLEHOTKEY,       ID_ISFOCUSONHOTKEY,    ID_ISSTARTUP,
                       ID_DISABLESHOWINGONSTART};
    int y = 8;
    for (int id : ids) {
        boxes_.create(p, id, {px(8), px(y), px(320), px(17)});
        y += 19;
    }
    win::createGroupBox(p, 0, L"Работа с папкой", {px(8), px(146), px(430), px(84)});
    // Next to "Вызов по горячей клавише", the fourth box.
    hotkeyField_.create(p, 8 + 3 * 19, dpi_, hints_);
    dataFolder_.create(p, dpi_);
    ClearCoordsButton = win::createButton(p, ID_CLEARCOORDS, L"Сбросить координаты окон",
                                          {px(8), px(240), px(190), px(25)});
    win::nameByLabels(p);
}

void SettingsPage::buildNotesPage(HWND p) {
    struct Row {
        int id, y, w, h;
    };
    const Row rows[] = {{ID_ISONELISTCLICK, 8, 400, 17},    {ID_ISFOCUSONSELECTNOTE, 27, 400, 17},
                        {ID_ISDYNSEARCH, 46, 400, 17},      {ID_ISSEARCHFILTER, 65, 400, 17},
                        {ID_ISSIMPLEFONTLIST, 84, 400, 17}, {ID_ISDETECTURL, 103, 400, 28},
                        {ID_ISSHOWCOPY, 133, 470, 28}};
    for (const auto& r : rows) {
        const DWORD style = r.h > 17 ? BS_MULTILINE | BS_TOP : 0;
        boxes_.create(p, r.id, {px(8), px(r.y), px(r.w), px(r.h)}, style);
    }
    linkProgram_.create(p, notifyTarget_, dpi_, hints_);
    boxes_.create(p, ID_STRONGCIPHER, {px(8), px(218), px(470), px(28)}, BS_MULTILINE | BS_TOP);
    win::nameByLabels(p);
}

void SettingsPage::buildViewPage(HWND p) {
    place_.create(p, dpi_);
    skins_.create(p, dpi_);
    borderColour_.create(p, dpi_);
    boxes_.create(p, ID_ISANISHOW, {px(8), px(100), px(140), px(17)});
    sliders_.create(p, ID_DELAYSHOWBAR, {px(150), px(97), px(220), px(24)});
    boxes_.create(p, ID_ISANIHIDE, {px(8), px(130), px(140), px(17)});
    sliders_.create(p, ID_DELAYHIDEBAR, {px(150), px(127), px(220), px(24)});
    win::createLabel(p, 0, L"Непрозрачность", {px(8), px(161), px(140), px(14)});
    sliders_.create(p, ID_OPVAL, {px(150), px(157), px(220), px(24)});
    boxes_.create(p, ID_ISUSEANIMATION, {px(8), px(192), px(320), px(17)});
    win::nameByLabels(p);
}

} // namespace quivra::settings
