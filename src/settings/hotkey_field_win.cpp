#include "settings/hotkey_field_win.h"

#include "settings/settings_ids.h"
#include "win/announce_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"

#include <commctrl.h>

namespace quivra::settings {

void HotkeyField::create(HWND page, int y, UINT dpi, win::Hints& hints) {
    const auto px = [dpi](int designed) { return win::scale(designed, dpi); };
    keys_ = win::createControl(HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER, page, ID_HOTKEYKEYS,
                               {px(332), px(y - 2), px(120), px(21)});
    hints.add(keys_, L"Другое сочетание клавиш вместо Win+N (пусто — Win+N)");
    refusedMessage_ =
        win::createLabel(page, ID_HOTKEYREFUSED,
                         L"Это сочетание клавиш занято системой или другой программой: "
                         L"выберите другое",
                         {px(332), px(y + 21), px(250), px(28)});
    ShowWindow(refusedMessage_, SW_HIDE);
}

void HotkeyField::showValues() {
    SendMessageW(keys_, HKM_SETHOTKEY, static_cast<WPARAM>(word_ & 0xFFFF), 0);
    ShowWindow(refusedMessage_, refused_ ? SW_SHOWNA : SW_HIDE);
}

HWND HotkeyField::control(int id) const {
    return id == ID_HOTKEYKEYS ? keys_ : id == ID_HOTKEYREFUSED ? refusedMessage_ : nullptr;
}

void HotkeyField::setWord(long fieldWord) {
    word_ = fieldWord & 0xFFFF;
    if (keys_) {
        settingWord_ = true;
        SendMessageW(keys_, HKM_SETHOTKEY, static_cast<WPARAM>(word_), 0);
        settingWord_ = false;
    }
}

void HotkeyField::showRegistered(bool registered) {
    refused_ = options_.ticked(ID_ISENABLEHOTKEY) && !registered;
    if (refusedMessage_)
        win::showAnnounced(refusedMessage_, refused_, win::Announcement::Alert);
}

void HotkeyField::onChanged() {
    if (settingWord_)
        return;
    const auto word = static_cast<long>(SendMessageW(keys_, HKM_GETHOTKEY, 0, 0));
    word_ = word & 0xFFFF;
    showRegistered(host_.setHotkeyKeys(settings::hotkeyFromFieldWord(word_)));
}

std::optional<LRESULT> HotkeyField::onCtlColor(HDC dc, HWND control) const {
    if (!refusedMessage_ || control != refusedMessage_)
        return std::nullopt;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace quivra::settings
