// The settings page's controls: made when the page is first shown, from the
// options the page holds by then.
#include "settings/settings_page_win.h"

#include "base/errors.h"
#include "base/name_chars.h"
#include "settings/autostart_win.h"
#include "settings/colors.h"
#include "settings/data_folders.h"
#include "skins/skin.h"
#include "skins/skin_engine_win.h"
#include "win/accessible_win.h"
#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/file_system_win.h"
#include "win/focus_watch_win.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

namespace quivra::settings {

using win::Bounds;

void SettingsPage::build() {
    HWND page = page_;
    HWND notifyTarget = notifyTarget_;
    RECT rc;
    GetClientRect(page, &rc);
    SettingsP = win::createControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP | TCS_BOTTOM,
                                   page, ID_SETTINGSP, {0, 0, rc.right, rc.bottom});
    hints_.create(page);
    const wchar_t* names[] = {L"Общие", L"Заметки", L"Вид и анимация"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        TabCtrl_InsertItem(SettingsP, i, &item);
        pages()[i]->create(page, notifyTarget, 0, 0, px(600), px(380));
    }
    buildGeneralPage(GeneralSPage.hwnd());
    buildNotesPage(NotesSPage.hwnd());
    buildViewPage(ViewSPage.hwnd());

    bQuit = win::createButton(page, ID_BQUIT, L"Выход", {0, 0, px(75), px(25)});
    QuitMenu.reset(CreatePopupMenu());
    program::appendMenuItems(commands(), kQuitMenu, QuitMenu.get());

    buildBrowsePanel(page);
}

void SettingsPage::showValues() {
    showingValues_ = true;
    for (const OptionBox* b : boxes_.all())
        win::setChecked(b->hwnd, b->ticked);
    EnableWindow(DelayShowBar, boxes_.isAniShow.ticked);
    EnableWindow(DelayHideBar, boxes_.isAniHide.ticked);
    for (int id : {ID_OPVAL, ID_DELAYSHOWBAR, ID_DELAYHIDEBAR})
        SendMessageW(existing(id), TBM_SETPOS, TRUE, slider(id));
    win::ComboBox(Place).select(values_.place);
    win::ComboBox(BvlColor).select(values_.borderItem);
    const win::ComboBox skins(SkinsList);
    for (const auto& name : values_.skins)
        skins.add(name.c_str());
    skins.select(values_.skinItem);
    SetWindowTextW(DataDirV, values_.dataDir.c_str());
    SetWindowTextW(CustomDirV, values_.customDir.c_str());
    SetWindowTextW(CustomBrowserPath, values_.customBrowser.c_str());
    win::setChecked(wd_customdir, values_.customSelected);
    win::setChecked(wd_owndir, !values_.customSelected);
    SendMessageW(hotkeyKeys_, HKM_SETHOTKEY, static_cast<WPARAM>(values_.hotkeyWord & 0xFFFF), 0);
    ShowWindow(hotkeyRefused_, values_.hotkeyRefused ? SW_SHOWNA : SW_HIDE);
    selectTab(values_.tab);
    showingValues_ = false;
}

void SettingsPage::buildGeneralPage(HWND p) {
    const int ids[] = {ID_ISTRAYICON,           ID_ISFOCUSONTRAYCLICK, ID_ISDBLCLICK,
                       ID_ISENABLEHOTKEY,       ID_ISFOCUSONHOTKEY,    ID_ISSTARTUP,
                       ID_DISABLESHOWINGONSTART};
    int y = 8;
    for (int id : ids) {
        box(id)->hwnd =
            win::createCheckBox(p, id, box(id)->caption, {px(8), px(y), px(320), px(17)});
        y += 19;
    }
    win::createGroupBox(p, 0, L"Работа с папкой", {px(8), px(146), px(430), px(84)});
    // Next to "Включить горячую клавишу": another combination than Win+N,
    // and the message shown when the system refuses the combination.
    const int hotkeyY = 8 + 3 * 19;
    hotkeyKeys_ = win::createControl(HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER, p, ID_HOTKEYKEYS,
                                     {px(332), px(hotkeyY - 2), px(120), px(21)});
    hints_.add(hotkeyKeys_, L"Другое сочетание клавиш вместо Win+N (пусто — Win+N)");
    hotkeyRefused_ =
        win::createLabel(p, ID_HOTKEYREFUSED,
                         L"Это сочетание клавиш занято системой или другой программой: "
                         L"выберите другое",
                         {px(332), px(hotkeyY + 21), px(250), px(28)});
    ShowWindow(hotkeyRefused_, SW_HIDE);
    wd_owndir = win::createRadioButton(p, ID_WD_OWNDIR, L"\\Data\\Notes\\",
                                       {px(16), px(168), px(92), px(17)}, true);
    DataDirV = win::createEdit(p, ID_DATADIRV, L"", {px(112), px(166), px(220), px(21)});
    wd_customdir = win::createRadioButton(p, ID_WD_CUSTOMDIR, L"Своя папка",
                                          {px(16), px(197), px(92), px(17)}, false);
    CustomDirV = win::createEdit(p, ID_CUSTOMDIRV, L"", {px(112), px(195), px(192), px(21)});
    CustomDirBrowse =
        win::createButton(p, ID_CUSTOMDIRBROWSE, L"...", {px(308), px(195), px(24), px(21)});
    ApplyDataDir =
        win::createButton(p, ID_APPLYDATADIR, L"Применить", {px(342), px(178), px(86), px(25)});
    ClearCoordsButton = win::createButton(p, ID_CLEARCOORDS, L"Сбросить координаты окон",
                                          {px(8), px(240), px(190), px(25)});
    folderNameEvents_.attach(
        DataDirV,
        [](UINT msg, WPARAM wp, LPARAM, const win::Subclass::Next&) -> std::optional<LRESULT> {
            if (msg == WM_CHAR && !DataDirVKeyPress(static_cast<wchar_t>(wp)))
                return 0;
            return std::nullopt;
        });
    win::nameByLabels(p);
}

bool SettingsPage::DataDirVKeyPress(wchar_t typed) {
    return base::isAcceptedNameChar(static_cast<char16_t>(typed));
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
        box(r.id)->hwnd = win::createCheckBox(p, r.id, box(r.id)->caption,
                                              {px(8), px(r.y), px(r.w), px(r.h)}, style);
    }
    win::createLabel(p, 0, L"Открывать ссылки с помощью", {px(8), px(172), px(300), px(14)});
    // A path typed into the box is used by the next link click, unstored.
    CustomBrowserPath =
        win::createEdit(p, ID_CUSTOMBROWSERPATH, L"", {px(8), px(188), px(240), px(21)});
    ChooseBrowser =
        win::createButton(p, ID_CHOOSEBROWSER, L"...", {px(252), px(188), px(24), px(21)});
    BrowserDelete =
        win::createButton(p, ID_BROWSERDELETE, L"X", {px(280), px(188), px(24), px(21)});
    boxes_.strongCipher.hwnd =
        win::createCheckBox(p, ID_STRONGCIPHER, boxes_.strongCipher.caption,
                            {px(8), px(218), px(470), px(28)}, BS_MULTILINE | BS_TOP);
    hints_.add(ChooseBrowser, L"Обзор");
    hints_.add(BrowserDelete, L"Очистить значение");
    win::nameByLabels(p);
}

void SettingsPage::buildViewPage(HWND p) {
    win::createLabel(p, 0, L"Положение:", {px(8), px(11), px(80), px(14)});
    const win::ComboBox place(win::createComboList(p, ID_PLACE, {px(96), px(8), px(140), px(120)}));
    for (const wchar_t* s : {L"Слева", L"Сверху", L"Справа", L"Снизу"})
        place.add(s);
    place.select(0);
    Place = place.hwnd();

    sLabel6 = win::createLabel(p, ID_SLABEL6, L"Скин:", {px(8), px(40), px(80), px(14)}, SS_NOTIFY);
    SkinsList = win::createComboList(p, ID_SKINSLIST, {px(96), px(37), px(180), px(200)});

    win::createLabel(p, 0, L"Цвет границы", {px(8), px(69), px(84), px(14)});
    const win::ComboBox colours(win::createComboList(
        p, ID_BVLCOLOR, {px(96), px(66), px(180), px(300)}, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS));
    for (const auto& c : standardColors())
        colours.add(win::toWide(c.name).c_str());
    BvlColor = colours.hwnd();

    boxes_.isAniShow.hwnd = win::createCheckBox(p, ID_ISANISHOW, boxes_.isAniShow.caption,
                                                {px(8), px(100), px(140), px(17)});
    DelayShowBar =
        win::createTrackbar(p, ID_DELAYSHOWBAR, {px(150), px(97), px(220), px(24)}, 10, 100);
    boxes_.isAniHide.hwnd = win::createCheckBox(p, ID_ISANIHIDE, boxes_.isAniHide.caption,
                                                {px(8), px(130), px(140), px(17)});
    DelayHideBar =
        win::createTrackbar(p, ID_DELAYHIDEBAR, {px(150), px(127), px(220), px(24)}, 10, 100);
    win::createLabel(p, 0, L"Непрозрачность", {px(8), px(161), px(140), px(14)});
    OpVal = win::createTrackbar(p, ID_OPVAL, {px(150), px(157), px(220), px(24)}, 50, 255);
    boxes_.isUseAnimation.hwnd = win::createCheckBox(
        p, ID_ISUSEANIMATION, boxes_.isUseAnimation.caption, {px(8), px(192), px(320), px(17)});
    // A slider's key is written when the mouse button is released over it.
    const HWND sliders[] = {DelayShowBar, DelayHideBar, OpVal};
    for (std::size_t i = 0; i < sliderEvents_.size(); ++i) {
        HWND slider = sliders[i];
        sliderEvents_[i].attach(
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
    win::nameByLabels(p);
}

void SettingsPage::buildBrowsePanel(HWND page) {
    BrowsePanel.create(page, notifyTarget_, px(3), px(3), px(404), px(304), WS_BORDER);
    HWND bp = BrowsePanel.hwnd();
    browseOk = win::createButton(bp, ID_BROWSEOK, L"Ok", {px(4), px(270), px(75), px(25)});
    BrowseCancel =
        win::createButton(bp, ID_BROWSECANCEL, L"Отмена", {px(83), px(270), px(75), px(25)});
    BrowseCreate =
        win::createButton(bp, ID_BROWSECREATE, L"Создать", {px(318), px(270), px(80), px(25)});
    NewFPanel.create(bp, notifyTarget_, px(4), px(200), px(394), px(64), WS_BORDER);
    HWND np = NewFPanel.hwnd();
    win::createLabel(np, 0, L"Имя новой папки:", {px(6), px(6), px(200), px(14)});
    FolName = win::createEdit(np, ID_FOLNAME, L"", {px(6), px(22), px(380), px(21)});
    FN_ok = win::createButton(np, ID_FN_OK, L"Ok", {px(230), px(44), px(75), px(18)});
    FN_Canel = win::createButton(np, ID_FN_CANEL, L"Отмена", {px(310), px(44), px(75), px(18)});
    ShowWindow(np, SW_HIDE);
    ShowWindow(bp, SW_HIDE);
    win::nameByLabels(np);
}

void SettingsPage::ensureBrowseTree() {
    // Listing the drives and loading the system's icons is slow, so the tree
    // is made when the panel is first opened rather than at start-up.
    ensureBuilt();
    if (Tree.hwnd())
        return;
    HWND bp = BrowsePanel.hwnd();
    Tree.create(bp, ID_TREE, RECT{px(4), px(4), px(398), px(262)});
    SetWindowPos(Tree.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(Tree.hwnd(), WM_SETFONT, SendMessageW(browseOk, WM_GETFONT, 0, 0), FALSE);
    win::watchFocusLeaving(NewFPanel.hwnd(), [this] { NewFPanelExit(); });
    win::watchFocusLeaving(bp, [this] { BrowsePanelExit(); });
}

} // namespace quivra::settings
