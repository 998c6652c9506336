// Where the four floating panels open: the place fixed in the Coords section
// of the settings file, else a default computed from the area the panel lies
// in at that moment. Fixing writes the shown panels' places, resetting forgets
// them and moves the panels to their defaults, and after the main window has
// been moved or resized every shown panel goes back to its default place.
//
// The panels lie in areas measured in device pixels; the settings file keeps
// the fixed places, like the panels' designed sizes and offsets, in 96-DPI
// units (so a place fixed on an unscaled screen is the same place on a
// scaled one). Every conversion goes through base/dpi_scale.h.
#pragma once

#include "base/dpi_scale.h"
#include "base/ini_file.h"
#include "window/docking.h"

#include <array>
#include <optional>
#include <vector>

namespace quivra::window {

// In the order the fix and reset commands visit them.
enum class FloatingPanel {
    Font,     // FontPanel, on the notes page
    Name,     // NL_Edit, on the notes page
    Confirm,  // FWarnPan, on the notes page
    Password, // ECPanel, on the editor area
};

inline constexpr std::array kFloatingPanels{FloatingPanel::Font, FloatingPanel::Name,
                                            FloatingPanel::Confirm, FloatingPanel::Password};

// The designed size (96-DPI units).
Size panelSize(FloatingPanel panel);

// The sizes of the areas the panels lie in, in device pixels of a screen of
// `dpi`; places computed against them are in the same pixels.
struct PanelAreas {
    Size notesPage;
    Size editor;
    int dpi = base::kDesignDpi;
};

// The password panel sits 20 px lower for encrypting and decrypting than for
// decrypting to the clipboard.
enum class PasswordUse { EncryptOrDecrypt, DecryptToClipboard };

// The default place: the font panel at 3, 3; the others centred on their area
// (each half truncated on its own), the password panel 20 px lower for
// encrypting and decrypting; offsets and the panel's size scaled to the DPI.
// A panel whose size is given in device pixels (the password panel is lower
// while it asks for one password) is centred at that size.
Point defaultPanelPlace(FloatingPanel panel, const PanelAreas& areas,
                        PasswordUse use = PasswordUse::EncryptOrDecrypt,
                        std::optional<Size> size = std::nullopt);

// Where an opener puts the panel: each coordinate from its key, scaled, or
// the default where the key is missing or not an integer. (The formatting-reset
// warning ignores the keys and opens at the confirmation panel's default.)
Point panelOpenPlace(const base::IniFile& ini, FloatingPanel panel, const PanelAreas& areas,
                     PasswordUse use = PasswordUse::EncryptOrDecrypt,
                     std::optional<Size> size = std::nullopt);

// Each shown panel's current place; empty where the panel is hidden. Indexed
// in the order of kFloatingPanels.
using ShownPanels = std::array<std::optional<Point>, kFloatingPanels.size()>;

struct PanelMove {
    FloatingPanel panel;
    Point to;
    friend bool operator==(const PanelMove&, const PanelMove&) = default;
};

// "Фиксация координат": writes each shown panel's place (device pixels of a
// screen of `dpi`) to its keys in 96-DPI units.
void fixPanelPlaces(base::IniFile& ini, const ShownPanels& shown, int dpi);

// "Сброс координат": deletes each shown panel's keys and returns where it moves.
std::vector<PanelMove> resetPanelPlaces(base::IniFile& ini, const ShownPanels& shown,
                                        const PanelAreas& areas);

// After a move or resize of the main window: the shown panels back at their
// default places in the areas' new sizes, in the order password, confirmation,
// name, font. The settings file is not touched, so a fixed place is used again
// the next time the panel opens.
std::vector<PanelMove> panelPlacesAfterResize(const ShownPanels& shown, const PanelAreas& areas);

} // namespace quivra::window
