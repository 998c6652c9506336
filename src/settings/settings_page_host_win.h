// What the settings page asks of the main window: the settings file, and the
// effects of an option outside the page (tray icon, hotkey, opacity, edge,
// frame, skin, notes folder, quit and restart).
#pragma once

#include "base/ini_file.h"
#include "settings/hotkey_keys.h"

#include <windows.h>

#include <optional>
#include <string>

namespace quivra::settings {

class SettingsPageHost {
  public:
    virtual ~SettingsPageHost() = default;
    virtual base::IniFile& settingsFile() = 0;
    // The tray icon wanted or not (the shell may take it only later).
    virtual void setTrayIconVisible(bool visible) = 0;
    // Registers or releases the hotkey; false when the system refuses the
    // combination.
    virtual bool setHotkeyEnabled(bool enabled) = 0;
    // Another combination than Win+N, or none to go back to Win+N; false
    // when the system refuses it.
    virtual bool setHotkeyKeys(std::optional<settings::HotkeyKeys> keys) = 0;
    virtual void setOpacity(int alpha) = 0;
    // The edge is stored already; the window moves to it.
    virtual void placeSelected(int edgeIndex) = 0;
    virtual void borderColorSelected(COLORREF colour) = 0;
    virtual void applySkin(const std::wstring& name) = 0;
    virtual void applyDataDir() = 0;
    virtual void quit() = 0;
    virtual void restart() = 0;
    virtual std::wstring executablePath() const = 0;
    virtual std::wstring skinsFolder() const = 0;
    // The 50 ms refresh and its auto-hide stop around a file dialog.
    virtual void pauseRefresh() = 0;
    virtual void resumeRefresh() = 0;
};

} // namespace quivra::settings
