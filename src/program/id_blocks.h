// Every control, menu item and timer of the main window has an identifier
// from the block of the subsystem that owns it, so that one number tells the
// router where a command, notification or tick goes. Each subsystem numbers
// its identifiers from the first of its block and checks that they fit.
#pragma once

#include <array>

namespace quivra::program {

struct IdBlock {
    int first;
    int last; // inclusive
    constexpr bool contains(int id) const { return id >= first && id <= last; }
};

// The main window itself: frame, pages, help and about.
inline constexpr IdBlock kAppIds{1000, 1099};
// Note store, lists, note menus and note commands.
inline constexpr IdBlock kNotesIds{1100, 1299};
// Format bar, fonts, lists, dates, insertion commands.
inline constexpr IdBlock kEditorIds{1300, 1499};
// Encryption commands and the password panel.
inline constexpr IdBlock kCryptoIds{1500, 1599};
// Search bar and results.
inline constexpr IdBlock kSearchIds{1600, 1699};
// Presentation: strips, tray, hotkey, refresh and keeper timers, panels.
inline constexpr IdBlock kWindowIds{1700, 1799};
// Donation reminder and details.
inline constexpr IdBlock kDonationIds{1800, 1849};
// The settings page.
inline constexpr IdBlock kSettingsIds{2000, 2199};

inline constexpr std::array kAllIdBlocks{kAppIds,    kNotesIds,  kEditorIds,   kCryptoIds,
                                         kSearchIds, kWindowIds, kDonationIds, kSettingsIds};

constexpr bool idBlocksOverlap() {
    for (std::size_t i = 0; i < kAllIdBlocks.size(); ++i) {
        if (kAllIdBlocks[i].first > kAllIdBlocks[i].last)
            return true;
        for (std::size_t j = i + 1; j < kAllIdBlocks.size(); ++j)
            if (kAllIdBlocks[i].first <= kAllIdBlocks[j].last &&
                kAllIdBlocks[j].first <= kAllIdBlocks[i].last)
                return true;
    }
    return false;
}
static_assert(!idBlocksOverlap(), "identifier blocks of two subsystems overlap");

} // namespace quivra::program
