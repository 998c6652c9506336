#include "settings/settings_page_win.h"

#include "base/errors.h"
#include "base/name_chars.h"
#include "base/text_services.h"
#include "settings/autostart_win.h"
#include "settings/colors.h"
#include "settings/data_folders.h"
#include "skins/skin.h"
#include "skins/skin_engine_win.h"
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

namespace {} // namespace

int SettingsPage::px(int designed) const {
    return win::scale(designed, dpi_);
}

void SettingsPage::create(std::function<HWND()> page, HWND notifyTarget, UINT dpi, HFONT font) {
    pageSource_ = std::move(page);
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
        {ID_STRONGCIPHER,
         L"Стойкое шифрование (AES-256). Старые версии программы такой шифр не прочтут",
         &keys::StrongCipher, false},
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
        // The option is the user's wish: an icon the shell refuses for now
        // is asked for again, the box and the key stay as set.
        host_.setTrayIconVisible(on);
        break;
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
    showHotkeyRegistered(host_.setHotkeyKeys(settings::hotkeyFromFieldWord(values_.hotkeyWord)));
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
            values_.place = win::ComboBox(ctl).selected();
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
            values_.skinItem = win::ComboBox(ctl).selected();
            SkinsListSelect();
        }
        return true;
    case ID_SLABEL6:
        if (code == STN_CLICKED)
            refreshSkinsList(read(host_.settingsFile(), keys::SkinName));
        return true;
    case ID_BVLCOLOR:
        if (code == CBN_SELCHANGE) {
            const int i = win::ComboBox(ctl).selected();
            values_.borderItem = i;
            if (i >= 0 && i < static_cast<int>(standardColors().size())) {
                values_.borderColour = standardColors()[i].color;
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
        win::ComboBox(existing(ID_PLACE)).select(values_.place);
}

COLORREF SettingsPage::borderColor() const {
    // clNone and clDefault paint nothing of their own: the strips keep the
    // face colour a panel has by default.
    return colorToRgb(values_.borderColour, [](int index) { return GetSysColor(index); })
        .value_or(GetSysColor(COLOR_BTNFACE));
}

void SettingsPage::setBorderColorItem(std::u16string_view name) {
    // A system colour, an integer or a colour without a name is used as it
    // is; the box then shows none of its items.
    values_.borderColour = colorFromString(name).value_or(rgbColor(0, 0, 255));
    int found = -1;
    const auto list = standardColors();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].color == values_.borderColour)
            found = static_cast<int>(i);
    values_.borderItem = found;
    if (built_)
        win::ComboBox(existing(ID_BVLCOLOR)).select(found);
}

void SettingsPage::refreshSkinsList(std::u16string_view storedName) {
    values_.skins = {L""};
    for (const auto& name : skins::listSkinNames(host_.skinsFolder()))
        values_.skins.push_back(win::toWide(name));
    // Skin files are found whatever the letter case of their names, so the
    // stored name is matched the same way.
    values_.skinItem = -1;
    for (std::size_t i = 0; i < values_.skins.size(); ++i)
        if (base::equalsIgnoreCase(win::toU16(values_.skins[i]), storedName)) {
            values_.skinItem = static_cast<int>(i);
            break;
        }
    if (!built_)
        return;
    const win::ComboBox list(existing(ID_SKINSLIST));
    list.clear();
    for (const auto& name : values_.skins)
        list.add(name.c_str());
    list.select(values_.skinItem);
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

void SettingsPage::applyStoredSkin() {
    // A stored skin missing from the folder (for now) is not forgotten:
    // the key keeps its name and the program's own look is used meanwhile.
    const std::wstring name = selectedSkinName();
    if (!name.empty())
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

} // namespace quivra::settings
