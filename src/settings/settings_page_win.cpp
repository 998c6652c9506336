#include "settings/settings_page_win.h"

#include "settings/data_folders.h"
#include "platform/controls_win.h"
#include "platform/dpi_win.h"
#include "platform/errors.h"
#include "platform/focus_watch_win.h"
#include "platform/name_chars.h"
#include "platform/file_system_win.h"
#include "platform/wide_win.h"
#include "settings/autostart_win.h"
#include "settings/colors.h"
#include "skins/skin.h"
#include "skins/skin_engine_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

namespace quivra::settings {

using win::Bounds;

namespace {} // namespace

int SettingsPage::px(int designed) const {
    return win::scale(designed, dpi_);
}

void SettingsPage::create(HWND page, HWND notifyTarget, UINT dpi, HFONT font) {
    page_ = page;
    notifyTarget_ = notifyTarget;
    dpi_ = dpi;
    font_ = font;
    boxes_ = {
        {ID_ISTRAYICON, L"Иконка в трее", &keys::TrayIcon, false},
        {ID_ISFOCUSONTRAYCLICK, L"Фокусировать при щелчке иконки в трее", &keys::FocusOnTrayClick,
         false},
        {ID_ISDBLCLICK, L"Двойной щелчок для скрытия/показа", &keys::DoubleClick, false},
        {ID_ISENABLEHOTKEY, L"Вызов по горячей клавише (Win+N)", &keys::EnableHotkey, false},
        {ID_ISFOCUSONHOTKEY, L"Фокусировать при вызове горячей клавишей",
         &keys::FocusOnCallByHotkey, false},
        {ID_ISSTARTUP, L"Автозагрузка (текущий пользователь)", nullptr, false},
        {ID_DISABLESHOWINGONSTART, L"Отключить показ окна при старте", &keys::SilentStart, false},
        {ID_ISONELISTCLICK, L"Выбор заметки в списке одинарным щелчком", &keys::OneClickInList,
         false},
        {ID_ISFOCUSONSELECTNOTE, L"Фокусировать при выборе заметки", &keys::FocusNoteOnSelect,
         true},
        {ID_ISDYNSEARCH, L"Динамический поиск (иначе результаты по ENTER)", &keys::DynamicSearch,
         true},
        {ID_ISSEARCHFILTER, L"Использовать фильтр строк при поиске", &keys::SearchFilter, true},
        {ID_ISSIMPLEFONTLIST, L"Обычный список выбора шрифта", &keys::SimpleFontList, false},
        {ID_ISDETECTURL, L"Определять ссыдки в редакторе \r\n   (для отключения нужен перезапуск)",
         &keys::DetectURLs, false},
        {ID_ISSHOWCOPY,
         L"Показывать меню действий после выделения комментария щелчком с зажатой клавишей CTRL",
         &keys::isShowCopyAfterSel, true},
        {ID_ISANISHOW, L"Скорость показа", &keys::isAnimatedShow, true},
        {ID_ISANIHIDE, L"Скорость скрытия", &keys::isAnimatedHide, true},
        {ID_ISUSEANIMATION, L"Использовать анимацию в интерфейсе", &keys::UseAnimation, false},
    };
    for (auto& b : boxes_)
        b.ticked = b.designedTicked;
}

void SettingsPage::ensureBuilt() {
    if (built_)
        return;
    built_ = true;
    build();
    win::setFontTree(page_, font_);
    showValues();
    layout(width_, height_);
    if (skins::skinEngine().isActive())
        skins::skinEngine().applyTo(page_);
}

void SettingsPage::build() {
    HWND page = page_;
    HWND notifyTarget = notifyTarget_;
    RECT rc;
    GetClientRect(page, &rc);
    tabs_ = win::createControl(WC_TABCONTROLW, L"",
                               WS_CLIPSIBLINGS | WS_TABSTOP | TCS_BOTTOM | TCS_FOCUSNEVER, page,
                               ID_SETTINGSP, {0, 0, rc.right, rc.bottom});
    const wchar_t* names[] = {L"Общие", L"Заметки", L"Вид и анимация"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        TabCtrl_InsertItem(tabs_, i, &item);
        pages_[i] = std::make_unique<win::Panel>();
        pages_[i]->create(page, notifyTarget, 0, 0, px(600), px(380));
    }
    buildGeneralPage(pages_[0]->hwnd());
    buildNotesPage(pages_[1]->hwnd());
    buildViewPage(pages_[2]->hwnd());

    HWND quit = win::createButton(page, ID_BQUIT, L"Выход", {0, 0, px(75), px(25)});
    controls_.push_back({ID_BQUIT, quit});
    quitMenu_.reset(CreatePopupMenu());
    AppendMenuW(quitMenu_.get(), MF_STRING, ID_G1, L"Перезапустить");

    buildBrowsePanel(page);
}

void SettingsPage::showValues() {
    showingValues_ = true;
    for (auto& b : boxes_)
        win::setChecked(b.hwnd, b.ticked);
    EnableWindow(existing(ID_DELAYSHOWBAR), ticked(ID_ISANISHOW));
    EnableWindow(existing(ID_DELAYHIDEBAR), ticked(ID_ISANIHIDE));
    for (int id : {ID_OPVAL, ID_DELAYSHOWBAR, ID_DELAYHIDEBAR})
        SendMessageW(existing(id), TBM_SETPOS, TRUE, slider(id));
    SendMessageW(existing(ID_PLACE), CB_SETCURSEL, values_.place, 0);
    SendMessageW(existing(ID_BVLCOLOR), CB_SETCURSEL, values_.borderItem, 0);
    HWND skinsList = existing(ID_SKINSLIST);
    for (const auto& name : values_.skins)
        SendMessageW(skinsList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(skinsList, CB_SETCURSEL, values_.skinItem, 0);
    SetWindowTextW(existing(ID_DATADIRV), values_.dataDir.c_str());
    SetWindowTextW(existing(ID_CUSTOMDIRV), values_.customDir.c_str());
    SetWindowTextW(existing(ID_CUSTOMBROWSERPATH), values_.customBrowser.c_str());
    win::setChecked(existing(ID_WD_CUSTOMDIR), values_.customSelected);
    win::setChecked(existing(ID_WD_OWNDIR), !values_.customSelected);
    SendMessageW(existing(ID_HOTKEYKEYS), HKM_SETHOTKEY,
                 static_cast<WPARAM>(values_.hotkeyWord & 0xFFFF), 0);
    ShowWindow(existing(ID_HOTKEYREFUSED), values_.hotkeyRefused ? SW_SHOWNA : SW_HIDE);
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
    auto add = [&](int id, HWND h) { controls_.push_back({id, h}); };
    // Next to "Включить горячую клавишу": another combination than Win+N,
    // and the message shown when the system refuses the combination.
    const int hotkeyY = 8 + 3 * 19;
    add(ID_HOTKEYKEYS,
        win::createControl(HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER, p, ID_HOTKEYKEYS,
                           {px(332), px(hotkeyY - 2), px(120), px(21)}));
    win::addHint(win::createTooltip(p), p, control(ID_HOTKEYKEYS),
                 L"Другое сочетание клавиш вместо Win+N (пусто — Win+N)");
    add(ID_HOTKEYREFUSED,
        win::createLabel(p, ID_HOTKEYREFUSED,
                         L"Это сочетание клавиш занято системой или другой программой: "
                         L"выберите другое",
                         {px(332), px(hotkeyY + 21), px(250), px(28)}));
    ShowWindow(control(ID_HOTKEYREFUSED), SW_HIDE);
    add(ID_WD_OWNDIR, win::createRadioButton(p, ID_WD_OWNDIR, L"\\Data\\Notes\\",
                                             {px(16), px(168), px(92), px(17)}, true));
    add(ID_DATADIRV, win::createEdit(p, ID_DATADIRV, L"", {px(112), px(166), px(220), px(21)}));
    add(ID_WD_CUSTOMDIR, win::createRadioButton(p, ID_WD_CUSTOMDIR, L"Своя папка",
                                                {px(16), px(197), px(92), px(17)}, false));
    add(ID_CUSTOMDIRV, win::createEdit(p, ID_CUSTOMDIRV, L"", {px(112), px(195), px(192), px(21)}));
    add(ID_CUSTOMDIRBROWSE,
        win::createButton(p, ID_CUSTOMDIRBROWSE, L"...", {px(308), px(195), px(24), px(21)}));
    add(ID_APPLYDATADIR,
        win::createButton(p, ID_APPLYDATADIR, L"Применить", {px(342), px(178), px(86), px(25)}));
    add(ID_CLEARCOORDS, win::createButton(p, ID_CLEARCOORDS, L"Сбросить координаты окон",
                                          {px(8), px(240), px(190), px(25)}));
    // The sub-folder name takes no character a folder name cannot hold.
    folderNameEvents_.attach(
        control(ID_DATADIRV),
        [](UINT msg, WPARAM wp, LPARAM, const win::Subclass::Next&) -> std::optional<LRESULT> {
            if (msg == WM_CHAR && !isAcceptedNameChar(static_cast<char16_t>(wp)))
                return 0;
            return std::nullopt;
        });
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
    controls_.push_back({ID_CUSTOMBROWSERPATH, win::createEdit(p, ID_CUSTOMBROWSERPATH, L"",
                                                               {px(8), px(188), px(240), px(21)})});
    controls_.push_back({ID_CHOOSEBROWSER, win::createButton(p, ID_CHOOSEBROWSER, L"...",
                                                             {px(252), px(188), px(24), px(21)})});
    controls_.push_back({ID_BROWSERDELETE, win::createButton(p, ID_BROWSERDELETE, L"X",
                                                             {px(280), px(188), px(24), px(21)})});
    HWND hints = win::createTooltip(p);
    win::addHint(hints, p, control(ID_CHOOSEBROWSER), L"Обзор");
    win::addHint(hints, p, control(ID_BROWSERDELETE), L"Очистить значение");
}

void SettingsPage::buildViewPage(HWND p) {
    auto add = [&](int id, HWND h) { controls_.push_back({id, h}); };
    win::createLabel(p, 0, L"Положение:", {px(8), px(11), px(80), px(14)});
    HWND place = win::createComboList(p, ID_PLACE, {px(96), px(8), px(140), px(120)});
    for (const wchar_t* s : {L"Слева", L"Сверху", L"Справа", L"Снизу"})
        SendMessageW(place, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageW(place, CB_SETCURSEL, 0, 0);
    add(ID_PLACE, place);

    add(ID_SLABEL6,
        win::createLabel(p, ID_SLABEL6, L"Скин:", {px(8), px(40), px(80), px(14)}, SS_NOTIFY));
    add(ID_SKINSLIST, win::createComboList(p, ID_SKINSLIST, {px(96), px(37), px(180), px(200)}));

    win::createLabel(p, 0, L"Цвет границы", {px(8), px(69), px(84), px(14)});
    HWND colours = win::createComboList(p, ID_BVLCOLOR, {px(96), px(66), px(180), px(300)},
                                        CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    for (const auto& c : standardColors()) {
        const std::wstring name = win::toWide(c.name);
        SendMessageW(colours, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    add(ID_BVLCOLOR, colours);

    box(ID_ISANISHOW)->hwnd = win::createCheckBox(p, ID_ISANISHOW, box(ID_ISANISHOW)->caption,
                                                  {px(8), px(100), px(140), px(17)});
    add(ID_DELAYSHOWBAR,
        win::createTrackbar(p, ID_DELAYSHOWBAR, {px(150), px(97), px(220), px(24)}, 10, 100));
    box(ID_ISANIHIDE)->hwnd = win::createCheckBox(p, ID_ISANIHIDE, box(ID_ISANIHIDE)->caption,
                                                  {px(8), px(130), px(140), px(17)});
    add(ID_DELAYHIDEBAR,
        win::createTrackbar(p, ID_DELAYHIDEBAR, {px(150), px(127), px(220), px(24)}, 10, 100));
    win::createLabel(p, 0, L"Непрозрачность", {px(8), px(161), px(140), px(14)});
    add(ID_OPVAL, win::createTrackbar(p, ID_OPVAL, {px(150), px(157), px(220), px(24)}, 50, 255));
    box(ID_ISUSEANIMATION)->hwnd = win::createCheckBox(
        p, ID_ISUSEANIMATION, box(ID_ISUSEANIMATION)->caption, {px(8), px(192), px(320), px(17)});
    // A slider's key is written when the mouse button is released over it.
    const int sliders[] = {ID_DELAYSHOWBAR, ID_DELAYHIDEBAR, ID_OPVAL};
    for (std::size_t i = 0; i < sliderEvents_.size(); ++i) {
        HWND slider = control(sliders[i]);
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
}

void SettingsPage::buildBrowsePanel(HWND page) {
    browsePanel_.create(page, notifyTarget_, px(3), px(3), px(404), px(304), WS_BORDER);
    HWND bp = browsePanel_.hwnd();
    controls_.push_back(
        {ID_BROWSEOK, win::createButton(bp, ID_BROWSEOK, L"Ok", {px(4), px(270), px(75), px(25)})});
    controls_.push_back({ID_BROWSECANCEL, win::createButton(bp, ID_BROWSECANCEL, L"Отмена",
                                                            {px(83), px(270), px(75), px(25)})});
    controls_.push_back({ID_BROWSECREATE, win::createButton(bp, ID_BROWSECREATE, L"Создать",
                                                            {px(318), px(270), px(80), px(25)})});
    newFolderPanel_.create(bp, notifyTarget_, px(4), px(200), px(394), px(64), WS_BORDER);
    HWND np = newFolderPanel_.hwnd();
    win::createLabel(np, 0, L"Имя новой папки:", {px(6), px(6), px(200), px(14)});
    controls_.push_back(
        {ID_FOLNAME, win::createEdit(np, ID_FOLNAME, L"", {px(6), px(22), px(380), px(21)})});
    controls_.push_back(
        {ID_FN_OK, win::createButton(np, ID_FN_OK, L"Ok", {px(230), px(44), px(75), px(18)})});
    controls_.push_back({ID_FN_CANEL, win::createButton(np, ID_FN_CANEL, L"Отмена",
                                                        {px(310), px(44), px(75), px(18)})});
    ShowWindow(np, SW_HIDE);
    ShowWindow(bp, SW_HIDE);
}

void SettingsPage::ensureBrowseTree() {
    // Listing the drives and loading the system's icons is slow, so the tree
    // is made when the panel is first opened rather than at start-up.
    ensureBuilt();
    if (tree_.hwnd())
        return;
    HWND bp = browsePanel_.hwnd();
    tree_.create(bp, ID_TREE, RECT{px(4), px(4), px(398), px(262)});
    SetWindowPos(tree_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(tree_.hwnd(), WM_SETFONT, SendMessageW(control(ID_BROWSEOK), WM_GETFONT, 0, 0),
                 FALSE);
    controls_.push_back({ID_TREE, tree_.hwnd()});
    win::watchFocusLeaving(newFolderPanel_.hwnd(),
                           [this] { ShowWindow(newFolderPanel_.hwnd(), SW_HIDE); });
    win::watchFocusLeaving(bp, [this] { BrowseCancelClick(); });
}

void SettingsPage::layout(int width, int height) {
    width_ = width;
    height_ = height;
    if (!built_)
        return;
    MoveWindow(tabs_, 0, 0, width, height, TRUE);
    RECT r{0, 0, width, height};
    TabCtrl_AdjustRect(tabs_, FALSE, &r);
    for (auto& p : pages_) {
        MoveWindow(p->hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        SetWindowPos(p->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    MoveWindow(control(ID_BQUIT), width - px(75) - px(4), height - px(25) - px(1), px(75), px(25),
               TRUE);
    SetWindowPos(control(ID_BQUIT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(browsePanel_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SettingsPage::selectTab(int index) {
    values_.tab = index;
    if (!built_)
        return;
    TabCtrl_SetCurSel(tabs_, index);
    for (int i = 0; i < 3; ++i)
        ShowWindow(pages_[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
}

HWND SettingsPage::control(int id) {
    ensureBuilt();
    return existing(id);
}

HWND SettingsPage::existing(int id) const {
    for (const auto& b : boxes_)
        if (b.id == id)
            return b.hwnd;
    for (const auto& [cid, h] : controls_)
        if (cid == id)
            return h;
    throw std::logic_error("the settings page has no control " + std::to_string(id));
}

OptionBox* SettingsPage::box(int id) {
    for (auto& b : boxes_)
        if (b.id == id)
            return &b;
    return nullptr;
}

bool SettingsPage::ticked(int id) const {
    for (const auto& b : boxes_)
        if (b.id == id)
            return b.ticked;
    throw std::logic_error("the settings page has no option box " + std::to_string(id));
}

void SettingsPage::setBoxTicked(int id, bool ticked) {
    OptionBox* b = box(id);
    b->ticked = ticked;
    if (built_)
        win::setChecked(b->hwnd, ticked);
    onOptionBoxChanged(*b);
}

void SettingsPage::setBoxFromKey(int id) {
    OptionBox* b = box(id);
    const bool value = read(host_.settingsFile(), *b->key);
    if (value == b->ticked)
        return;
    setBoxTicked(id, value);
}

void SettingsPage::onOptionBoxChanged(OptionBox& b) {
    const bool on = b.ticked;
    switch (b.id) {
    case ID_ISANISHOW:
        if (built_)
            EnableWindow(existing(ID_DELAYSHOWBAR), on);
        break;
    case ID_ISANIHIDE:
        if (built_)
            EnableWindow(existing(ID_DELAYHIDEBAR), on);
        break;
    case ID_ISTRAYICON:
        host_.setTrayIconVisible(on);
        write(host_.settingsFile(), keys::TrayIcon, host_.trayIconVisible());
        return;
    case ID_ISENABLEHOTKEY:
        write(host_.settingsFile(), keys::EnableHotkey, on);
        showHotkeyRegistered(host_.setHotkeyEnabled(on));
        return;
    default:
        break;
    }
    write(host_.settingsFile(), *b.key, on);
}

void SettingsPage::setHotkeyField(long fieldWord) {
    values_.hotkeyWord = fieldWord & 0xFFFF;
    if (built_) {
        showingValues_ = true;
        SendMessageW(existing(ID_HOTKEYKEYS), HKM_SETHOTKEY,
                     static_cast<WPARAM>(values_.hotkeyWord), 0);
        showingValues_ = false;
    }
}

void SettingsPage::showHotkeyRegistered(bool registered) {
    values_.hotkeyRefused = ticked(ID_ISENABLEHOTKEY) && !registered;
    if (built_)
        ShowWindow(existing(ID_HOTKEYREFUSED), values_.hotkeyRefused ? SW_SHOWNA : SW_HIDE);
}

void SettingsPage::onHotkeyFieldChanged() {
    const auto word = static_cast<long>(SendMessageW(existing(ID_HOTKEYKEYS), HKM_GETHOTKEY, 0, 0));
    values_.hotkeyWord = word & 0xFFFF;
    showHotkeyRegistered(host_.setHotkeyKeys(window::hotkeyFromFieldWord(values_.hotkeyWord)));
}

void SettingsPage::onAutostartChanged() {
    if (ticked(ID_ISSTARTUP))
        writeAutostart(host_.executablePath());
    else
        deleteAutostart();
}

void SettingsPage::setAutostartTicked(bool on) {
    OptionBox* b = box(ID_ISSTARTUP);
    b->ticked = on;
    if (built_)
        win::setChecked(b->hwnd, on);
}

void SettingsPage::setCustomBrowserText(const std::wstring& path) {
    values_.customBrowser = path;
    if (built_)
        SetWindowTextW(existing(ID_CUSTOMBROWSERPATH), path.c_str());
}

bool SettingsPage::onCommand(int id, int code, HWND ctl) {
    if (showingValues_)
        return true; // the page's own setting of its controls
    if (OptionBox* b = box(id); b && ctl == b->hwnd) {
        if (code == BN_CLICKED) {
            b->ticked = win::isChecked(b->hwnd);
            if (b->key)
                onOptionBoxChanged(*b);
            else
                onAutostartChanged();
        }
        return true;
    }
    switch (id) {
    case ID_PLACE:
        if (code == CBN_SELCHANGE) {
            values_.place = static_cast<int>(SendMessageW(ctl, CB_GETCURSEL, 0, 0));
            host_.placeSelected(placeIndex());
        }
        return true;
    case ID_DATADIRV:
    case ID_CUSTOMDIRV:
    case ID_CUSTOMBROWSERPATH:
        if (code == EN_CHANGE)
            (id == ID_DATADIRV     ? values_.dataDir
             : id == ID_CUSTOMDIRV ? values_.customDir
                                   : values_.customBrowser) = win::windowText(ctl);
        return true;
    case ID_WD_OWNDIR:
    case ID_WD_CUSTOMDIR:
        if (code == BN_CLICKED)
            values_.customSelected = win::isChecked(existing(ID_WD_CUSTOMDIR));
        return true;
    case ID_HOTKEYKEYS:
        if (code == EN_CHANGE)
            onHotkeyFieldChanged();
        return true;
    case ID_SKINSLIST:
        if (code == CBN_SELCHANGE) {
            values_.skinItem = static_cast<int>(SendMessageW(ctl, CB_GETCURSEL, 0, 0));
            SkinsListSelect();
        }
        return true;
    case ID_SLABEL6:
        if (code == STN_CLICKED)
            refreshSkinsList(read(host_.settingsFile(), keys::SkinName));
        return true;
    case ID_BVLCOLOR:
        if (code == CBN_SELCHANGE) {
            const int i = static_cast<int>(SendMessageW(ctl, CB_GETCURSEL, 0, 0));
            values_.borderItem = i;
            if (i >= 0 && i < static_cast<int>(standardColors().size())) {
                write(host_.settingsFile(), keys::BorderColor, standardColors()[i].color);
                host_.borderColorSelected(borderColor());
            }
        }
        return true;
    case ID_APPLYDATADIR:
        if (code == BN_CLICKED)
            host_.applyDataDir();
        return true;
    case ID_CLEARCOORDS:
        if (code == BN_CLICKED)
            host_.clearCoords();
        return true;
    case ID_BQUIT:
        if (code == BN_CLICKED)
            host_.quit();
        return true;
    case ID_G1:
        host_.restart();
        return true;
    case ID_CHOOSEBROWSER:
        if (code == BN_CLICKED)
            ChooseBrowserClick();
        return true;
    case ID_BROWSERDELETE:
        if (code == BN_CLICKED)
            BrowserDeleteClick();
        return true;
    case ID_CUSTOMDIRBROWSE:
        if (code == BN_CLICKED)
            CustomDirBrowseClick();
        return true;
    case ID_BROWSEOK:
        if (code == BN_CLICKED)
            browseOkClick();
        return true;
    case ID_BROWSECANCEL:
        if (code == BN_CLICKED)
            BrowseCancelClick();
        return true;
    case ID_BROWSECREATE:
        if (code == BN_CLICKED)
            BrowseCreateClick();
        return true;
    case ID_FN_OK:
        if (code == BN_CLICKED)
            FN_okClick();
        return true;
    case ID_FN_CANEL:
        if (code == BN_CLICKED)
            FN_CanelClick();
        return true;
    default:
        return false;
    }
}

std::optional<LRESULT> SettingsPage::onCtlColor(HDC dc, HWND control) {
    if (!built_ || control != existing(ID_HOTKEYREFUSED))
        return std::nullopt;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool SettingsPage::onNotify(NMHDR& header, LRESULT& result) {
    NMHDR* hdr = &header;
    if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
        selectTab(TabCtrl_GetCurSel(tabs_));
        result = 0;
        return true;
    }
    if (tree_.hwnd() && hdr->hwndFrom == tree_.hwnd()) {
        if (auto r = tree_.handleNotify(hdr)) {
            result = *r;
            return true;
        }
        if (tree_.isSelectionChange(hdr))
            TreeChange();
        result = 0;
        return true;
    }
    return false;
}

bool SettingsPage::onContextMenu(HWND control, POINT screen) {
    if (!built_ || control != existing(ID_BQUIT))
        return false;
    if (screen.x == -1 && screen.y == -1) {
        RECT rc;
        GetWindowRect(control, &rc);
        screen = {rc.left, rc.bottom};
    }
    TrackPopupMenu(quitMenu_.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, notifyTarget_, nullptr);
    return true;
}

bool SettingsPage::onScroll(HWND ctl) {
    for (int id : {ID_OPVAL, ID_DELAYSHOWBAR, ID_DELAYHIDEBAR}) {
        if (ctl != existing(id))
            continue;
        slider(id) = static_cast<int>(SendMessageW(ctl, TBM_GETPOS, 0, 0));
        if (id == ID_OPVAL)
            host_.setOpacity(sliderPosition(ID_OPVAL));
        return true;
    }
    return false;
}

void SettingsPage::onSliderMouseUp(HWND ctl) {
    if (ctl == existing(ID_DELAYSHOWBAR))
        write(host_.settingsFile(), keys::DelayShow, sliderPosition(ID_DELAYSHOWBAR));
    else if (ctl == existing(ID_DELAYHIDEBAR))
        write(host_.settingsFile(), keys::DelayHide, sliderPosition(ID_DELAYHIDEBAR));
    else if (ctl == existing(ID_OPVAL))
        write(host_.settingsFile(), keys::Opacity, sliderPosition(ID_OPVAL));
}

int& SettingsPage::slider(int id) {
    return values_.sliders[id == ID_OPVAL ? 0 : id == ID_DELAYSHOWBAR ? 1 : 2];
}

int SettingsPage::slider(int id) const {
    return values_.sliders[id == ID_OPVAL ? 0 : id == ID_DELAYSHOWBAR ? 1 : 2];
}

int SettingsPage::sliderPosition(int id) const {
    return slider(id);
}

void SettingsPage::setSliderPosition(int id, long value) {
    // The sliders' ranges: opacity 50-255, the slide steps 10-100.
    const long lo = id == ID_OPVAL ? 50 : 10;
    const long hi = id == ID_OPVAL ? 255 : 100;
    slider(id) = static_cast<int>(std::clamp(value, lo, hi));
    if (built_)
        SendMessageW(existing(id), TBM_SETPOS, TRUE, slider(id));
    if (id == ID_OPVAL)
        host_.setOpacity(sliderPosition(ID_OPVAL));
}

int SettingsPage::placeIndex() const {
    return values_.place;
}

void SettingsPage::setPlaceIndex(long index) {
    values_.place = (index >= 0 && index <= 3) ? static_cast<int>(index) : -1;
    if (built_)
        SendMessageW(existing(ID_PLACE), CB_SETCURSEL, values_.place, 0);
}

COLORREF SettingsPage::borderColor() const {
    const int i = values_.borderItem;
    if (i < 0 || i >= static_cast<int>(standardColors().size()))
        return RGB(0, 0, 255);
    return standardColors()[i].color.value;
}

void SettingsPage::setBorderColorItem(std::u16string_view name) {
    const auto colour = colorFromString(name);
    int found = -1;
    const auto list = standardColors();
    for (size_t i = 0; colour && i < list.size(); ++i)
        if (list[i].color == *colour)
            found = static_cast<int>(i);
    values_.borderItem = found;
    if (built_)
        SendMessageW(existing(ID_BVLCOLOR), CB_SETCURSEL, found, 0);
}

void SettingsPage::refreshSkinsList(std::u16string_view storedName) {
    values_.skins = {L""};
    for (const auto& name : skins::listSkinNames(host_.skinsFolder()))
        values_.skins.push_back(win::toWide(name));
    const std::wstring wanted = win::toWide(storedName);
    values_.skinItem = -1;
    for (std::size_t i = 0; i < values_.skins.size(); ++i)
        if (values_.skins[i] == wanted) {
            values_.skinItem = static_cast<int>(i);
            break;
        }
    if (!built_)
        return;
    HWND list = existing(ID_SKINSLIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const auto& name : values_.skins)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(list, CB_SETCURSEL, values_.skinItem, 0);
}

std::wstring SettingsPage::selectedSkinName() const {
    const int i = values_.skinItem;
    return i >= 0 && i < static_cast<int>(values_.skins.size()) ? values_.skins[i] : std::wstring();
}

void SettingsPage::SkinsListSelect() {
    const std::wstring name = selectedSkinName();
    write(host_.settingsFile(), keys::SkinName, win::toU16(name));
    host_.applySkin(name);
}

std::wstring SettingsPage::dataDirText() const {
    return values_.dataDir;
}

void SettingsPage::setDataDirText(const std::u16string& text) {
    values_.dataDir = win::toWide(text);
    if (built_)
        SetWindowTextW(existing(ID_DATADIRV), values_.dataDir.c_str());
}

std::wstring SettingsPage::customDirText() const {
    return values_.customDir;
}

void SettingsPage::setCustomDirText(const std::u16string& text) {
    values_.customDir = win::toWide(text);
    if (built_)
        SetWindowTextW(existing(ID_CUSTOMDIRV), values_.customDir.c_str());
}

bool SettingsPage::customDirSelected() const {
    return values_.customSelected;
}

void SettingsPage::selectCustomDir(bool custom) {
    values_.customSelected = custom;
    if (!built_)
        return;
    win::setChecked(existing(ID_WD_CUSTOMDIR), custom);
    win::setChecked(existing(ID_WD_OWNDIR), !custom);
}

bool SettingsPage::onDrawItem(const DRAWITEMSTRUCT& di) {
    if (!built_ || di.hwndItem != existing(ID_BVLCOLOR))
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

bool SettingsPage::onMeasureItem(MEASUREITEMSTRUCT& mi) {
    if (mi.CtlID != ID_BVLCOLOR)
        return false;
    mi.itemHeight = px(16);
    return true;
}

void SettingsPage::CustomDirBrowseClick() {
    ensureBrowseTree();
    SetWindowPos(browsePanel_.hwnd(), HWND_TOP, px(3), px(3), 0, 0, SWP_NOSIZE);
    const std::wstring custom = customDirText();
    if (!custom.empty() && win::folderExists(win::toU16(custom)))
        tree_.selectPath(custom);
    ShowWindow(browsePanel_.hwnd(), SW_SHOW);
    SetFocus(tree_.hwnd());
    TreeChange();
}

void SettingsPage::TreeChange() {
    const bool ok = win::folderExists(win::toU16(tree_.selectedPath()));
    EnableWindow(control(ID_BROWSEOK), ok);
    EnableWindow(control(ID_BROWSECREATE), ok);
}

void SettingsPage::browseOkClick() {
    const std::wstring path = tree_.selectedPath();
    if (!win::folderExists(win::toU16(path)))
        return;
    SetWindowTextW(control(ID_CUSTOMDIRV), path.c_str()); // its change keeps the text
    ShowWindow(browsePanel_.hwnd(), SW_HIDE);
    selectCustomDir(true);
}

void SettingsPage::BrowseCancelClick() {
    ShowWindow(browsePanel_.hwnd(), SW_HIDE);
}

void SettingsPage::BrowseCreateClick() {
    const std::u16string name =
        proposeNewFolderName(win::toU16(tree_.selectedPath()),
                             [](std::u16string_view p) { return win::folderExists(p); });
    SetWindowTextW(control(ID_FOLNAME), win::toWide(name).c_str());
    ShowWindow(newFolderPanel_.hwnd(), SW_SHOW);
    SetFocus(control(ID_FOLNAME));
}

void SettingsPage::FN_okClick() {
    const std::u16string path = newFolderPath(win::toU16(tree_.selectedPath()),
                                              win::toU16(win::windowText(control(ID_FOLNAME))));
    if (win::folderExists(path))
        return;
    SHCreateDirectoryExW(nullptr, win::toWide(path.substr(0, path.size() - 1)).c_str(), nullptr);
    tree_.refreshSelected();
    SetFocus(tree_.hwnd());
}

void SettingsPage::FN_CanelClick() {
    SetFocus(tree_.hwnd());
    ShowWindow(newFolderPanel_.hwnd(), SW_HIDE);
}

} // namespace quivra::settings
