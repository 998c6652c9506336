// The hotkey field next to "Вызов по горячей клавише": another combination
// than Win+N (empty for Win+N), and the red message shown while the system
// refuses the combination. Both are kept while the page does not exist.
#pragma once

#include "settings/options_win.h"
#include "settings/settings_page_host_win.h"
#include "win/hints_win.h"

#include <windows.h>

#include <optional>

namespace quivra::settings {

class HotkeyField {
  public:
    // `options` tells whether the hotkey is on: the message shows only then.
    HotkeyField(SettingsPageHost& host, const Options& options) : host_(host), options_(options) {}

    // Makes the field and the message on `page`, the field's top at `y`
    // (designed units).
    void create(HWND page, int y, UINT dpi, win::Hints& hints);
    void showValues();

    // The stored combination, as the field's word (HKM_SETHOTKEY); the
    // field shows it without registering it again.
    void setWord(long fieldWord);
    // Whether the system took the combination; the message tells when not.
    void showRegistered(bool registered);
    // The user typed a combination: it is registered (and stored by the
    // host) at once.
    void onChanged();
    // The message is red.
    std::optional<LRESULT> onCtlColor(HDC dc, HWND control) const;
    HWND control(int id) const;

  private:
    SettingsPageHost& host_;
    const Options& options_;
    long word_ = 0;
    bool refused_ = false;
    bool settingWord_ = false; // the field's change is the program's own
    HWND keys_ = nullptr;
    HWND refusedMessage_ = nullptr;
};

} // namespace quivra::settings
