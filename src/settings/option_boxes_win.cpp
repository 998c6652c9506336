#include "settings/option_boxes_win.h"

#include "settings/autostart_win.h"
#include "settings/settings_ids.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace quivra::settings {

OptionBoxes::OptionBoxes(SettingsPageHost& host, HotkeyField& hotkey, OptionSliders& sliders)
    : host_(host), hotkey_(hotkey),
      sliders_(sliders), isTrayIcon{ID_ISTRAYICON, L"Иконка в трее", &keys::TrayIcon, false},
      isFocusOnTrayClick{ID_ISFOCUSONTRAYCLICK, L"Фокусировать при щелчке иконки в трее",
                         &keys::FocusOnTrayClick, false},
      isDblClick{ID_ISDBLCLICK, L"Двойной щелчок для скрытия/показа", &keys::DoubleClick, false},
      isEnableHotkey{ID_ISENABLEHOTKEY, L"Вызов по горячей клавише (Win+N)", &keys::EnableHotkey,
                     false},
      isFocusOnHotkey{ID_ISFOCUSONHOTKEY, L"Фокусировать при вызове горячей клавишей",
                      &keys::FocusOnCallByHotkey, false},
      isStartUp{ID_ISSTARTUP, L"Автозагрузка (текущий пользователь)", nullptr, false},
      DisableShowingOnStart{ID_DISABLESHOWINGONSTART, L"Отключить показ окна при старте",
                            &keys::SilentStart, false},
      isOneListClick{ID_ISONELISTCLICK, L"Выбор заметки в списке одинарным щелчком",
                     &keys::OneClickInList, false},
      isFocusOnSelectNote{ID_ISFOCUSONSELECTNOTE, L"Фокусировать при выборе заметки",
                          &keys::FocusNoteOnSelect, true},
      isDynSearch{ID_ISDYNSEARCH, L"Динамический поиск (иначе результаты по ENTER)",
                  &keys::DynamicSearch, true},
      isSearchFilter{ID_ISSEARCHFILTER, L"Использовать фильтр строк при поиске",
                     &keys::SearchFilter, true},
      isSimpleFontList{ID_ISSIMPLEFONTLIST, L"Обычный список выбора шрифта", &keys::SimpleFontList,
                       false},
      isDetectURL{ID_ISDETECTURL,
                  L"Определять ссыдки в редакторе \r\n   (для отключения нужен перезапуск)",
                  &keys::DetectURLs, false},
      isShowCopy{ID_ISSHOWCOPY,
                 L"Показывать меню действий после выделения комментария щелчком с зажатой "
                 L"клавишей CTRL",
                 &keys::isShowCopyAfterSel, true},
      strongCipher{ID_STRONGCIPHER,
                   L"Стойкое шифрование (AES-256). Старые версии программы такой шифр не прочтут",
                   &keys::StrongCipher, false},
      isAniShow{ID_ISANISHOW, L"Скорость показа", &keys::isAnimatedShow, true},
      isAniHide{ID_ISANIHIDE, L"Скорость скрытия", &keys::isAnimatedHide, true},
      isUseAnimation{ID_ISUSEANIMATION, L"Использовать анимацию в интерфейсе", &keys::UseAnimation,
                     false} {
    for (OptionBox* b : all())
        b->ticked = b->designedTicked;
}

std::array<OptionBox*, 18> OptionBoxes::all() {
    return {&isTrayIcon,
            &isFocusOnTrayClick,
            &isDblClick,
            &isEnableHotkey,
            &isFocusOnHotkey,
            &isStartUp,
            &DisableShowingOnStart,
            &isOneListClick,
            &isFocusOnSelectNote,
            &isDynSearch,
            &isSearchFilter,
            &isSimpleFontList,
            &isDetectURL,
            &isShowCopy,
            &strongCipher,
            &isAniShow,
            &isAniHide,
            &isUseAnimation};
}

void OptionBoxes::create(HWND parent, int id, win::Bounds bounds, DWORD style) {
    OptionBox* b = box(id);
    b->hwnd = win::createCheckBox(parent, id, b->caption, bounds, style);
}

void OptionBoxes::showValues() {
    for (const OptionBox* b : all())
        win::setChecked(b->hwnd, b->ticked);
}

OptionBox* OptionBoxes::box(int id) {
    for (OptionBox* b : all())
        if (b->id == id)
            return b;
    return nullptr;
}

const OptionBox* OptionBoxes::box(int id) const {
    return const_cast<OptionBoxes*>(this)->box(id);
}

bool OptionBoxes::ticked(int id) const {
    if (const OptionBox* b = box(id))
        return b->ticked;
    throw std::logic_error("the settings page has no option box " + std::to_string(id));
}

void OptionBoxes::setBoxTicked(int id, bool ticked) {
    OptionBox* b = box(id);
    b->ticked = ticked;
    if (b->hwnd)
        win::setChecked(b->hwnd, ticked);
    onOptionBoxChanged(*b);
}

void OptionBoxes::setBoxFromKey(int id) {
    OptionBox* b = box(id);
    const bool value = read(host_.settingsFile(), *b->key);
    if (value == b->ticked)
        return;
    setBoxTicked(id, value);
}

bool OptionBoxes::onClicked(int id, int code, HWND control) {
    OptionBox* b = box(id);
    if (!b || control != b->hwnd)
        return false;
    // A box's default action writes its key; the autostart box has none:
    // it writes the registry.
    if (code == BN_CLICKED) {
        b->ticked = win::isChecked(b->hwnd);
        if (b->key)
            onOptionBoxChanged(*b);
        else
            onAutostartChanged();
    }
    return true;
}

void OptionBoxes::onOptionBoxChanged(OptionBox& b) {
    using Handler = void (OptionBoxes::*)();
    static constexpr std::pair<int, Handler> handlers[] = {
        {ID_ISTRAYICON, &OptionBoxes::isTrayIconClick},
        {ID_ISFOCUSONTRAYCLICK, &OptionBoxes::isFocusOnTrayClickClick},
        {ID_ISDBLCLICK, &OptionBoxes::isDblClickClick},
        {ID_ISENABLEHOTKEY, &OptionBoxes::isEnableHotkeyClick},
        {ID_ISFOCUSONHOTKEY, &OptionBoxes::isFocusOnHotkeyClick},
        {ID_DISABLESHOWINGONSTART, &OptionBoxes::DisableShowingOnStartClick},
        {ID_ISONELISTCLICK, &OptionBoxes::isOneListClickClick},
        {ID_ISFOCUSONSELECTNOTE, &OptionBoxes::isFocusOnSelectNoteClick},
        {ID_ISDYNSEARCH, &OptionBoxes::isDynSearchClick},
        {ID_ISSEARCHFILTER, &OptionBoxes::isSearchFilterClick},
        {ID_ISSIMPLEFONTLIST, &OptionBoxes::isSimpleFontListClick},
        {ID_ISDETECTURL, &OptionBoxes::isDetectURLClick},
        {ID_ISSHOWCOPY, &OptionBoxes::isShowCopyClick},
        {ID_STRONGCIPHER, &OptionBoxes::strongCipherClick},
        {ID_ISANISHOW, &OptionBoxes::isAniShowClick},
        {ID_ISANIHIDE, &OptionBoxes::isAniHideClick},
        {ID_ISUSEANIMATION, &OptionBoxes::isUseAnimationClick},
    };
    for (const auto& [id, handler] : handlers)
        if (id == b.id)
            return (this->*handler)();
}

void OptionBoxes::writeBoxKey(const OptionBox& b) {
    write(host_.settingsFile(), *b.key, b.ticked);
}

void OptionBoxes::onAutostartChanged() {
    if (isStartUp.ticked)
        writeAutostart(host_.executablePath());
    else
        deleteAutostart();
}

void OptionBoxes::setAutostartTicked(bool on) {
    isStartUp.ticked = on;
    if (isStartUp.hwnd)
        win::setChecked(isStartUp.hwnd, on);
}

void OptionBoxes::isTrayIconClick() {
    // The option is the user's wish: an icon the shell refuses for now is
    // asked for again, the box and the key stay as set.
    host_.setTrayIconVisible(isTrayIcon.ticked);
    writeBoxKey(isTrayIcon);
}

void OptionBoxes::isEnableHotkeyClick() {
    const bool on = isEnableHotkey.ticked;
    writeBoxKey(isEnableHotkey);
    hotkey_.showRegistered(host_.setHotkeyEnabled(on));
}

void OptionBoxes::isAniShowClick() {
    sliders_.enable(ID_DELAYSHOWBAR, isAniShow.ticked);
    writeBoxKey(isAniShow);
}

void OptionBoxes::isAniHideClick() {
    sliders_.enable(ID_DELAYHIDEBAR, isAniHide.ticked);
    writeBoxKey(isAniHide);
}

// The boxes below are read where their option matters; a change only
// stores it.
void OptionBoxes::isFocusOnTrayClickClick() {
    writeBoxKey(isFocusOnTrayClick);
}
void OptionBoxes::isDblClickClick() {
    writeBoxKey(isDblClick);
}
void OptionBoxes::isFocusOnHotkeyClick() {
    writeBoxKey(isFocusOnHotkey);
}
void OptionBoxes::DisableShowingOnStartClick() {
    writeBoxKey(DisableShowingOnStart);
}
void OptionBoxes::isOneListClickClick() {
    writeBoxKey(isOneListClick);
}
void OptionBoxes::isFocusOnSelectNoteClick() {
    writeBoxKey(isFocusOnSelectNote);
}
void OptionBoxes::isDynSearchClick() {
    writeBoxKey(isDynSearch);
}
void OptionBoxes::isSearchFilterClick() {
    writeBoxKey(isSearchFilter);
}
void OptionBoxes::isSimpleFontListClick() {
    writeBoxKey(isSimpleFontList);
}
void OptionBoxes::isDetectURLClick() {
    writeBoxKey(isDetectURL);
}
void OptionBoxes::isShowCopyClick() {
    writeBoxKey(isShowCopy);
}
void OptionBoxes::strongCipherClick() {
    writeBoxKey(strongCipher);
}
void OptionBoxes::isUseAnimationClick() {
    writeBoxKey(isUseAnimation);
}

} // namespace quivra::settings
