#include "settings/settings_page_win.h"

#include "base/errors.h"
#include "base/name_chars.h"
#include "base/text_services.h"
#include "settings/autostart_win.h"
#include "settings/colors.h"
#include "settings/data_folders.h"
#include "skins/skin.h"
#include "skins/skin_engine_win.h"
#include "win/announce_win.h"
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
        .isTrayIcon = {ID_ISTRAYICON, L"Иконка в трее", &keys::TrayIcon, false},
        .isFocusOnTrayClick = {ID_ISFOCUSONTRAYCLICK, L"Фокусировать при щелчке иконки в трее",
                               &keys::FocusOnTrayClick, false},
        .isDblClick = {ID_ISDBLCLICK, L"Двойной щелчок для скрытия/показа", &keys::DoubleClick,
                       false},
        .isEnableHotkey = {ID_ISENABLEHOTKEY, L"Вызов по горячей клавише (Win+N)",
                           &keys::EnableHotkey, false},
        .isFocusOnHotkey = {ID_ISFOCUSONHOTKEY, L"Фокусировать при вызове горячей клавишей",
                            &keys::FocusOnCallByHotkey, false},
        .isStartUp = {ID_ISSTARTUP, L"Автозагрузка (текущий пользователь)", nullptr, false},
        .DisableShowingOnStart = {ID_DISABLESHOWINGONSTART, L"Отключить показ окна при старте",
                                  &keys::SilentStart, false},
        .isOneListClick = {ID_ISONELISTCLICK, L"Выбор заметки в списке одинарным щелчком",
                           &keys::OneClickInList, false},
        .isFocusOnSelectNote = {ID_ISFOCUSONSELECTNOTE, L"Фокусировать при выборе заметки",
                                &keys::FocusNoteOnSelect, true},
        .isDynSearch = {ID_ISDYNSEARCH, L"Динамический поиск (иначе результаты по ENTER)",
                        &keys::DynamicSearch, true},
        .isSearchFilter = {ID_ISSEARCHFILTER, L"Использовать фильтр строк при поиске",
                           &keys::SearchFilter, true},
        .isSimpleFontList = {ID_ISSIMPLEFONTLIST, L"Обычный список выбора шрифта",
                             &keys::SimpleFontList, false},
        .isDetectURL = {ID_ISDETECTURL,
                        L"Определять ссыдки в редакторе \r\n   (для отключения нужен перезапуск)",
                        &keys::DetectURLs, false},
        .isShowCopy = {ID_ISSHOWCOPY,
                       L"Показывать меню действий после выделения комментария щелчком с зажатой "
                       L"клавишей CTRL",
                       &keys::isShowCopyAfterSel, true},
        .strongCipher =
            {ID_STRONGCIPHER,
             L"Стойкое шифрование (AES-256). Старые версии программы такой шифр не прочтут",
             &keys::StrongCipher, false},
        .isAniShow = {ID_ISANISHOW, L"Скорость показа", &keys::isAnimatedShow, true},
        .isAniHide = {ID_ISANIHIDE, L"Скорость скрытия", &keys::isAnimatedHide, true},
        .isUseAnimation = {ID_ISUSEANIMATION, L"Использовать анимацию в интерфейсе",
                           &keys::UseAnimation, false},
    };
    for (OptionBox* b : boxes_.all())
        b->ticked = b->designedTicked;
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
    MoveWindow(SettingsP, 0, 0, width, height, TRUE);
    RECT r{0, 0, width, height};
    TabCtrl_AdjustRect(SettingsP, FALSE, &r);
    for (win::Panel* p : pages()) {
        MoveWindow(p->hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        SetWindowPos(p->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    MoveWindow(bQuit, width - px(75) - px(4), height - px(25) - px(1), px(75), px(25), TRUE);
    SetWindowPos(bQuit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(BrowsePanel.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SettingsPage::selectTab(int index) {
    values_.tab = index;
    if (!built_)
        return;
    TabCtrl_SetCurSel(SettingsP, index);
    for (int i = 0; i < 3; ++i)
        ShowWindow(pages()[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
}

std::array<win::Panel*, 3> SettingsPage::pages() const {
    auto& self = const_cast<SettingsPage&>(*this);
    return {&self.GeneralSPage, &self.NotesSPage, &self.ViewSPage};
}

HWND SettingsPage::control(int id) {
    ensureBuilt();
    return existing(id);
}

HWND SettingsPage::existing(int id) const {
    for (const OptionBox* b : boxes_.all())
        if (b->id == id)
            return b->hwnd;
    switch (id) {
    case ID_SETTINGSP:
        return SettingsP;
    case ID_WD_OWNDIR:
        return wd_owndir;
    case ID_DATADIRV:
        return DataDirV;
    case ID_WD_CUSTOMDIR:
        return wd_customdir;
    case ID_CUSTOMDIRV:
        return CustomDirV;
    case ID_CUSTOMDIRBROWSE:
        return CustomDirBrowse;
    case ID_APPLYDATADIR:
        return ApplyDataDir;
    case ID_CLEARCOORDS:
        return ClearCoordsButton;
    case ID_HOTKEYKEYS:
        return hotkeyKeys_;
    case ID_HOTKEYREFUSED:
        return hotkeyRefused_;
    case ID_CUSTOMBROWSERPATH:
        return CustomBrowserPath;
    case ID_CHOOSEBROWSER:
        return ChooseBrowser;
    case ID_BROWSERDELETE:
        return BrowserDelete;
    case ID_PLACE:
        return Place;
    case ID_SLABEL6:
        return sLabel6;
    case ID_SKINSLIST:
        return SkinsList;
    case ID_BVLCOLOR:
        return BvlColor;
    case ID_DELAYSHOWBAR:
        return DelayShowBar;
    case ID_DELAYHIDEBAR:
        return DelayHideBar;
    case ID_OPVAL:
        return OpVal;
    case ID_BQUIT:
        return bQuit;
    case ID_TREE:
        return Tree.hwnd();
    case ID_BROWSEOK:
        return browseOk;
    case ID_BROWSECANCEL:
        return BrowseCancel;
    case ID_BROWSECREATE:
        return BrowseCreate;
    case ID_FOLNAME:
        return FolName;
    case ID_FN_OK:
        return FN_ok;
    case ID_FN_CANEL:
        return FN_Canel;
    default:
        break;
    }
    throw std::logic_error("the settings page has no control " + std::to_string(id));
}

OptionBox* SettingsPage::box(int id) {
    for (OptionBox* b : boxes_.all())
        if (b->id == id)
            return b;
    return nullptr;
}

bool SettingsPage::ticked(int id) const {
    for (const OptionBox* b : boxes_.all())
        if (b->id == id)
            return b->ticked;
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
    using Handler = void (SettingsPage::*)();
    static constexpr std::pair<int, Handler> handlers[] = {
        {ID_ISTRAYICON, &SettingsPage::isTrayIconClick},
        {ID_ISFOCUSONTRAYCLICK, &SettingsPage::isFocusOnTrayClickClick},
        {ID_ISDBLCLICK, &SettingsPage::isDblClickClick},
        {ID_ISENABLEHOTKEY, &SettingsPage::isEnableHotkeyClick},
        {ID_ISFOCUSONHOTKEY, &SettingsPage::isFocusOnHotkeyClick},
        {ID_DISABLESHOWINGONSTART, &SettingsPage::DisableShowingOnStartClick},
        {ID_ISONELISTCLICK, &SettingsPage::isOneListClickClick},
        {ID_ISFOCUSONSELECTNOTE, &SettingsPage::isFocusOnSelectNoteClick},
        {ID_ISDYNSEARCH, &SettingsPage::isDynSearchClick},
        {ID_ISSEARCHFILTER, &SettingsPage::isSearchFilterClick},
        {ID_ISSIMPLEFONTLIST, &SettingsPage::isSimpleFontListClick},
        {ID_ISDETECTURL, &SettingsPage::isDetectURLClick},
        {ID_ISSHOWCOPY, &SettingsPage::isShowCopyClick},
        {ID_STRONGCIPHER, &SettingsPage::strongCipherClick},
        {ID_ISANISHOW, &SettingsPage::isAniShowClick},
        {ID_ISANIHIDE, &SettingsPage::isAniHideClick},
        {ID_ISUSEANIMATION, &SettingsPage::isUseAnimationClick},
    };
    for (const auto& [id, handler] : handlers)
        if (id == b.id)
            return (this->*handler)();
}

void SettingsPage::writeBoxKey(const OptionBox& b) {
    write(host_.settingsFile(), *b.key, b.ticked);
}

void SettingsPage::isTrayIconClick() {
    // The option is the user's wish: an icon the shell refuses for now is
    // asked for again, the box and the key stay as set.
    host_.setTrayIconVisible(boxes_.isTrayIcon.ticked);
    writeBoxKey(boxes_.isTrayIcon);
}

void SettingsPage::isEnableHotkeyClick() {
    const bool on = boxes_.isEnableHotkey.ticked;
    writeBoxKey(boxes_.isEnableHotkey);
    showHotkeyRegistered(host_.setHotkeyEnabled(on));
}

void SettingsPage::isAniShowClick() {
    if (built_)
        EnableWindow(DelayShowBar, boxes_.isAniShow.ticked);
    writeBoxKey(boxes_.isAniShow);
}

void SettingsPage::isAniHideClick() {
    if (built_)
        EnableWindow(DelayHideBar, boxes_.isAniHide.ticked);
    writeBoxKey(boxes_.isAniHide);
}

// The boxes below are read where their option matters; a change only
// stores it.
void SettingsPage::isFocusOnTrayClickClick() {
    writeBoxKey(boxes_.isFocusOnTrayClick);
}
void SettingsPage::isDblClickClick() {
    writeBoxKey(boxes_.isDblClick);
}
void SettingsPage::isFocusOnHotkeyClick() {
    writeBoxKey(boxes_.isFocusOnHotkey);
}
void SettingsPage::DisableShowingOnStartClick() {
    writeBoxKey(boxes_.DisableShowingOnStart);
}
void SettingsPage::isOneListClickClick() {
    writeBoxKey(boxes_.isOneListClick);
}
void SettingsPage::isFocusOnSelectNoteClick() {
    writeBoxKey(boxes_.isFocusOnSelectNote);
}
void SettingsPage::isDynSearchClick() {
    writeBoxKey(boxes_.isDynSearch);
}
void SettingsPage::isSearchFilterClick() {
    writeBoxKey(boxes_.isSearchFilter);
}
void SettingsPage::isSimpleFontListClick() {
    writeBoxKey(boxes_.isSimpleFontList);
}
void SettingsPage::isDetectURLClick() {
    writeBoxKey(boxes_.isDetectURL);
}
void SettingsPage::isShowCopyClick() {
    writeBoxKey(boxes_.isShowCopy);
}
void SettingsPage::strongCipherClick() {
    writeBoxKey(boxes_.strongCipher);
}
void SettingsPage::isUseAnimationClick() {
    writeBoxKey(boxes_.isUseAnimation);
}

void SettingsPage::setHotkeyField(long fieldWord) {
    values_.hotkeyWord = fieldWord & 0xFFFF;
    if (built_) {
        showingValues_ = true;
        SendMessageW(hotkeyKeys_, HKM_SETHOTKEY, static_cast<WPARAM>(values_.hotkeyWord), 0);
        showingValues_ = false;
    }
}

void SettingsPage::showHotkeyRegistered(bool registered) {
    values_.hotkeyRefused = ticked(ID_ISENABLEHOTKEY) && !registered;
    if (built_)
        win::showAnnounced(hotkeyRefused_, values_.hotkeyRefused, win::Announcement::Alert);
}

void SettingsPage::onHotkeyFieldChanged() {
    const auto word = static_cast<long>(SendMessageW(hotkeyKeys_, HKM_GETHOTKEY, 0, 0));
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
    boxes_.isStartUp.ticked = on;
    if (built_)
        win::setChecked(boxes_.isStartUp.hwnd, on);
}

void SettingsPage::setCustomBrowserText(const std::wstring& path) {
    values_.customBrowser = path;
    if (built_)
        SetWindowTextW(CustomBrowserPath, path.c_str());
}

program::Commands<SettingsPage> SettingsPage::commands() {
    using S = SettingsPage;
    constexpr int clicked = BN_CLICKED;
    static constexpr program::Command<S> kCommands[] = {
        {.id = ID_G1, .caption = L"Перезапустить", .menu = kQuitMenu, .run = &S::G1Click},
        {.id = ID_PLACE, .run = &S::PlaceSelect, .code = CBN_SELCHANGE},
        {.id = ID_DATADIRV, .run = &S::dataDirTyped, .code = EN_CHANGE},
        {.id = ID_CUSTOMDIRV, .run = &S::customDirTyped, .code = EN_CHANGE},
        {.id = ID_CUSTOMBROWSERPATH, .run = &S::customBrowserTyped, .code = EN_CHANGE},
        {.id = ID_WD_OWNDIR, .run = &S::dataDirChoiceClick, .code = clicked},
        {.id = ID_WD_CUSTOMDIR, .run = &S::dataDirChoiceClick, .code = clicked},
        {.id = ID_HOTKEYKEYS, .run = &S::onHotkeyFieldChanged, .code = EN_CHANGE},
        {.id = ID_SKINSLIST, .run = &S::skinChosen, .code = CBN_SELCHANGE},
        {.id = ID_SLABEL6, .run = &S::sLabel6Click, .code = STN_CLICKED},
        {.id = ID_BVLCOLOR, .run = &S::BvlColorSelect, .code = CBN_SELCHANGE},
        {.id = ID_APPLYDATADIR, .run = &S::ApplyDataDirClick, .code = clicked},
        {.id = ID_CLEARCOORDS, .run = &S::ClearCoordsButtonClick, .code = clicked},
        {.id = ID_BQUIT, .run = &S::bQuitClick, .code = clicked},
        {.id = ID_CHOOSEBROWSER, .run = &S::ChooseBrowserClick, .code = clicked},
        {.id = ID_BROWSERDELETE, .run = &S::BrowserDeleteClick, .code = clicked},
        {.id = ID_CUSTOMDIRBROWSE, .run = &S::CustomDirBrowseClick, .code = clicked},
        {.id = ID_BROWSEOK, .run = &S::browseOkClick, .code = clicked},
        {.id = ID_BROWSECANCEL, .run = &S::BrowseCancelClick, .code = clicked},
        {.id = ID_BROWSECREATE, .run = &S::BrowseCreateClick, .code = clicked},
        {.id = ID_FN_OK, .run = &S::FN_okClick, .code = clicked},
        {.id = ID_FN_CANEL, .run = &S::FN_CanelClick, .code = clicked},
    };
    return kCommands;
}

bool SettingsPage::onCommand(int id, int code, HWND ctl) {
    if (showingValues_)
        return true; // the page's own setting of its controls
    // An option box's default action: it writes its key (the autostart box
    // has none: it writes the registry).
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
    return program::runCommand(commands(), *this, id, code);
}

void SettingsPage::dataDirTyped() {
    values_.dataDir = win::windowText(DataDirV);
}

void SettingsPage::customDirTyped() {
    values_.customDir = win::windowText(CustomDirV);
}

void SettingsPage::customBrowserTyped() {
    values_.customBrowser = win::windowText(CustomBrowserPath);
}

void SettingsPage::dataDirChoiceClick() {
    values_.customSelected = win::isChecked(wd_customdir);
}

void SettingsPage::skinChosen() {
    values_.skinItem = win::ComboBox(SkinsList).selected();
    SkinsListSelect();
}

void SettingsPage::PlaceSelect() {
    values_.place = win::ComboBox(Place).selected();
    write(host_.settingsFile(), keys::Placement, placeIndex());
    host_.placeSelected(placeIndex());
}

void SettingsPage::sLabel6Click() {
    refreshSkinsList(read(host_.settingsFile(), keys::SkinName));
}

void SettingsPage::BvlColorSelect() {
    const int i = win::ComboBox(BvlColor).selected();
    values_.borderItem = i;
    if (i >= 0 && i < static_cast<int>(standardColors().size())) {
        values_.borderColour = standardColors()[i].color;
        write(host_.settingsFile(), keys::BorderColor, standardColors()[i].color);
        host_.borderColorSelected(borderColor());
    }
}

void SettingsPage::ApplyDataDirClick() {
    host_.applyDataDir();
}

void SettingsPage::ClearCoordsButtonClick() {
    // The floating panels take their default places when next shown.
    host_.settingsFile().eraseSection(kCoordsSection);
}

void SettingsPage::bQuitClick() {
    host_.quit();
}

void SettingsPage::G1Click() {
    host_.restart();
}

std::optional<LRESULT> SettingsPage::onCtlColor(HDC dc, HWND control) {
    if (!built_ || control != hotkeyRefused_)
        return std::nullopt;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool SettingsPage::onNotify(NMHDR& header, LRESULT& result) {
    NMHDR* hdr = &header;
    if (hdr->hwndFrom == SettingsP && hdr->code == TCN_SELCHANGE) {
        selectTab(TabCtrl_GetCurSel(SettingsP));
        result = 0;
        return true;
    }
    if (Tree.hwnd() && hdr->hwndFrom == Tree.hwnd()) {
        if (auto r = Tree.handleNotify(hdr)) {
            result = *r;
            return true;
        }
        if (Tree.isSelectionChange(hdr))
            TreeChange();
        result = 0;
        return true;
    }
    return false;
}

bool SettingsPage::onContextMenu(HWND control, POINT screen) {
    if (!built_ || control != bQuit)
        return false;
    if (screen.x == -1 && screen.y == -1) {
        RECT rc;
        GetWindowRect(control, &rc);
        screen = {rc.left, rc.bottom};
    }
    TrackPopupMenu(QuitMenu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, notifyTarget_, nullptr);
    return true;
}

bool SettingsPage::onScroll(HWND ctl) {
    for (int id : {ID_OPVAL, ID_DELAYSHOWBAR, ID_DELAYHIDEBAR}) {
        if (ctl != existing(id))
            continue;
        slider(id) = static_cast<int>(SendMessageW(ctl, TBM_GETPOS, 0, 0));
        if (id == ID_OPVAL)
            OpValChange();
        return true;
    }
    return false;
}

void SettingsPage::OpValChange() {
    host_.setOpacity(sliderPosition(ID_OPVAL));
}

void SettingsPage::onSliderMouseUp(HWND ctl) {
    if (ctl == DelayShowBar)
        DelayShowBarMouseUp();
    else if (ctl == DelayHideBar)
        DelayHideBarMouseUp();
    else if (ctl == OpVal)
        OpValMouseUp();
}

void SettingsPage::DelayShowBarMouseUp() {
    write(host_.settingsFile(), keys::DelayShow, sliderPosition(ID_DELAYSHOWBAR));
}

void SettingsPage::DelayHideBarMouseUp() {
    write(host_.settingsFile(), keys::DelayHide, sliderPosition(ID_DELAYHIDEBAR));
}

void SettingsPage::OpValMouseUp() {
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
        win::ComboBox(Place).select(values_.place);
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
        win::ComboBox(BvlColor).select(found);
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
    const win::ComboBox list(SkinsList);
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
        SetWindowTextW(DataDirV, values_.dataDir.c_str());
}

std::wstring SettingsPage::customDirText() const {
    return values_.customDir;
}

void SettingsPage::setCustomDirText(const std::u16string& text) {
    values_.customDir = win::toWide(text);
    if (built_)
        SetWindowTextW(CustomDirV, values_.customDir.c_str());
}

bool SettingsPage::customDirSelected() const {
    return values_.customSelected;
}

void SettingsPage::selectCustomDir(bool custom) {
    values_.customSelected = custom;
    if (!built_)
        return;
    win::setChecked(wd_customdir, custom);
    win::setChecked(wd_owndir, !custom);
}

bool SettingsPage::onDrawItem(const DRAWITEMSTRUCT& di) {
    if (!built_ || di.hwndItem != BvlColor)
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
