// Whether the user asked the system for high contrast. While it is on, the
// program paints with the system's colours (GetSysColor) instead of its
// skin's, so that the colours the user chose are the ones shown.
#pragma once

namespace quivra::win {

// As last read; read from the system the first time it is asked.
bool highContrast();
// Reads the setting again (after WM_SETTINGCHANGE or WM_SYSCOLORCHANGE);
// true when it changed.
bool readHighContrastAgain();

// Where the setting comes from: the system's SPI_GETHIGHCONTRAST unless
// another source is set (null: the system again). Wine keeps no high
// contrast setting of its own, so tests switch it here.
using HighContrastSource = bool (*)();
void setHighContrastSource(HighContrastSource source);

} // namespace quivra::win
