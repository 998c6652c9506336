// The settings page's option check boxes: each box's control, caption, key,
// designed state and state, kept from start-up on, and the handlers that
// apply an option and write its key the moment the user changes it.
#pragma once

#include "settings/hotkey_field_win.h"
#include "settings/keys.h"
#include "settings/option_sliders_win.h"
#include "settings/settings_page_host_win.h"
#include "win/controls_win.h"

#include <windows.h>

#include <array>

namespace quivra::settings {

// One option check box: its control, caption, key, designed state and state.
struct OptionBox {
    int id;
    const wchar_t* caption;
    const BoolKey* key; // null for the autostart box, which has no key
    bool designedTicked;
    HWND hwnd = nullptr;
    bool ticked = false;
};

class OptionBoxes {
  public:
    // The hotkey box tells `hotkey` whether the system took the hotkey; the
    // animation boxes enable their speed sliders.
    OptionBoxes(SettingsPageHost& host, HotkeyField& hotkey, OptionSliders& sliders);

    // Makes the box `id` on `parent` with its caption and state.
    void create(HWND parent, int id, win::Bounds bounds, DWORD style = 0);
    // The controls show the states kept.
    void showValues();

    bool ticked(int id) const;
    // Sets a box from its key at start-up: the change handler runs only when
    // the state differs from the box's designed state.
    void setBoxFromKey(int id);
    // Ticks or clears a box and runs its change handler, as a click would.
    void setBoxTicked(int id, bool ticked);
    // The autostart box shows whether the registry's entry is the program's;
    // nothing is written.
    void setAutostartTicked(bool ticked);
    // A click on a box (its BN_CLICKED); false when `control` is no box.
    bool onClicked(int id, int code, HWND control);
    // Null for an identifier that is no box.
    OptionBox* box(int id);
    const OptionBox* box(int id) const;

  private:
    std::array<OptionBox*, 18> all();
    void onOptionBoxChanged(OptionBox& box);
    void writeBoxKey(const OptionBox& box);
    void onAutostartChanged();

    // Each applies its effect, then writes its key.
    void isTrayIconClick();
    void isFocusOnTrayClickClick();
    void isDblClickClick();
    void isEnableHotkeyClick();
    void isFocusOnHotkeyClick();
    void DisableShowingOnStartClick();
    void isOneListClickClick();
    void isFocusOnSelectNoteClick();
    void isDynSearchClick();
    void isSearchFilterClick();
    void isSimpleFontListClick();
    void isDetectURLClick();
    void isShowCopyClick();
    void strongCipherClick();
    void isAniShowClick();
    void isAniHideClick();
    void isUseAnimationClick();

    SettingsPageHost& host_;
    HotkeyField& hotkey_;
    OptionSliders& sliders_;
    // In the order of the pages.
    OptionBox isTrayIcon, isFocusOnTrayClick, isDblClick, isEnableHotkey, isFocusOnHotkey,
        isStartUp, DisableShowingOnStart, isOneListClick, isFocusOnSelectNote, isDynSearch,
        isSearchFilter, isSimpleFontList, isDetectURL, isShowCopy, strongCipher, isAniShow,
        isAniHide, isUseAnimation;
};

} // namespace quivra::settings
