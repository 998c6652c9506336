#include <gtest/gtest.h>

#include "settings/keys.h"
#include "window/panel_places.h"

#include "common/temp_folder.h"

using namespace quivra::window;
using quivra::base::IniFile;

namespace {
// A notes page of 801 x 601 and an editor of 555 x 333 (odd sizes: each half
// is truncated on its own).
constexpr PanelAreas kAreas{{801, 601}, {555, 333}};

class PanelPlacesFile : public quivra::settings::testing::TempFolderTest {};
} // namespace

TEST(PanelPlaces, DefaultsAreComputedFromTheAreas) {
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Font, kAreas), (Point{3, 3}));
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Name, kAreas), (Point{400 - 151, 300 - 43}));
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Confirm, kAreas), (Point{400 - 176, 300 - 80}));
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Password, kAreas),
              (Point{277 - 176, 166 - 79 + 20}));
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Password, kAreas, PasswordUse::DecryptToClipboard),
              (Point{277 - 176, 166 - 79}));
    // A panel larger than its area goes above and left of it.
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Name, {{101, 41}, {}}), (Point{50 - 151, 20 - 43}));
}

TEST_F(PanelPlacesFile, OpenersReadEachCoordinateOrFallBackToTheDefault) {
    IniFile ini(folder() / "s.ini");
    const Point def = defaultPanelPlace(FloatingPanel::Confirm, kAreas);
    EXPECT_EQ(panelOpenPlace(ini, FloatingPanel::Confirm, kAreas), def);
    // Key names match without case: the y key is written as "ConFirmPanel_y".
    ini.writeString(u"Coords", u"confirmpanel_y", u"77");
    ini.writeString(u"Coords", u"ConfirmPanel_x", u"abc");
    EXPECT_EQ(panelOpenPlace(ini, FloatingPanel::Confirm, kAreas), (Point{def.x, 77}));
    ini.writeString(u"Coords", u"FontPanel_x", u"-5");
    EXPECT_EQ(panelOpenPlace(ini, FloatingPanel::Font, kAreas), (Point{-5, 3}));
}

TEST_F(PanelPlacesFile, FixResetAndTheResizeTouchOnlyShownPanels) {
    IniFile ini(folder() / "s.ini");
    ShownPanels shown{};
    shown[static_cast<int>(FloatingPanel::Font)] = Point{40, 50};
    shown[static_cast<int>(FloatingPanel::Password)] = Point{7, 8};
    fixPanelPlaces(ini, shown, 96);
    EXPECT_EQ(ini.keyNames(u"Coords"), (std::vector<std::u16string>{u"FontPanel_x", u"FontPanel_y",
                                                                    u"EDPanel_x", u"EDPanel_y"}));
    // Opened in the other use, the fixed place still wins.
    EXPECT_EQ(panelOpenPlace(ini, FloatingPanel::Password, kAreas, PasswordUse::DecryptToClipboard),
              (Point{7, 8}));

    // The resize moves panels back without forgetting their places.
    EXPECT_EQ(panelPlacesAfterResize(shown, kAreas),
              (std::vector<PanelMove>{
                  {FloatingPanel::Password, defaultPanelPlace(FloatingPanel::Password, kAreas)},
                  {FloatingPanel::Font, {3, 3}}}));
    EXPECT_EQ(panelOpenPlace(ini, FloatingPanel::Font, kAreas), (Point{40, 50}));

    ini.writeInteger(u"Coords", u"EditPanel_x", 9);
    shown[static_cast<int>(FloatingPanel::Password)].reset();
    EXPECT_EQ(resetPanelPlaces(ini, shown, kAreas),
              (std::vector<PanelMove>{{FloatingPanel::Font, {3, 3}}}));
    EXPECT_EQ(ini.keyNames(u"Coords"),
              (std::vector<std::u16string>{u"EDPanel_x", u"EDPanel_y", u"EditPanel_x"}));
}

// On a screen of 144 DPI the areas are in its pixels and everything the
// settings file keeps is in 96-DPI units: defaults are centred at the panel's
// scaled size with scaled offsets, stored places open scaled, and a place
// fixed there is stored back as it was read.
TEST_F(PanelPlacesFile, AScaledScreenScalesSizesOffsetsAndStoredPlaces) {
    constexpr PanelAreas kScaled{{1201, 901}, {833, 500}, 144};
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Font, kScaled), (Point{5, 5}));
    // 353 x 160 designed is 530 x 240 here (halves rounded away from zero).
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Confirm, kScaled), (Point{600 - 265, 450 - 120}));
    EXPECT_EQ(defaultPanelPlace(FloatingPanel::Password, kScaled),
              (Point{416 - 265, 250 - 119 + 30}));

    IniFile ini(folder() / "s.ini");
    ini.writeString(u"Coords", u"EditPanel_x", u"20");
    ini.writeString(u"Coords", u"EditPanel_y", u"-7");
    const Point opened = panelOpenPlace(ini, FloatingPanel::Name, kScaled);
    EXPECT_EQ(opened, (Point{30, -11}));
    ShownPanels shown{};
    shown[static_cast<int>(FloatingPanel::Name)] = opened;
    fixPanelPlaces(ini, shown, kScaled.dpi);
    EXPECT_EQ(ini.readString(u"Coords", u"EditPanel_x", u""), u"20");
    EXPECT_EQ(ini.readString(u"Coords", u"EditPanel_y", u""), u"-7");
}
