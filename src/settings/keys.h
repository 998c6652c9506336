// Every key of the program's settings file, with its type, default and range,
// and typed reads and writes over an IniFile.
//
// Reads return what the file holds (or the default); they do not clamp to the
// key's range. The controls that show a value (sliders, the edge box) clamp it
// with clamp() where they need to.
#pragma once

#include "base/ini_file.h"
#include "settings/colors.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::settings {

inline constexpr std::u16string_view kOptionsSection = u"Options";
inline constexpr std::u16string_view kCoordsSection = u"Coords";

// The range of any stored integer (the file's integers are 32-bit).
inline constexpr long kIntMin = -2147483647L - 1;
inline constexpr long kIntMax = 2147483647L;

struct IntKey {
    std::u16string_view section, name;
    long def;
    long min = kIntMin, max = kIntMax;
};

struct BoolKey {
    std::u16string_view section, name;
    bool def;
};

struct TextKey {
    std::u16string_view section, name;
    std::u16string_view def;
};

// A colour stored by name; the default is a colour name too.
struct ColorKey {
    std::u16string_view section, name;
    std::u16string_view def;
};

// A floating panel's coordinate. Most defaults depend on the panel's and the
// editor's sizes and are computed by the caller (def empty).
struct CoordKey {
    std::u16string_view section, name;
    std::optional<long> def;
};

// A key whose presence is the information; written as "1".
struct MarkerKey {
    std::u16string_view section, name;
};

namespace keys {

// Section Options.
inline constexpr IntKey Placement{kOptionsSection, u"Placement", 0, 0, 3};
inline constexpr IntKey Width{kOptionsSection, u"Width", 640};
inline constexpr IntKey Height{kOptionsSection, u"Height", 480};
inline constexpr IntKey Opacity{kOptionsSection, u"Opacity", 220, 50, 255};
inline constexpr IntKey DelayShow{kOptionsSection, u"DelayShow", 10, 10, 100};
inline constexpr IntKey DelayHide{kOptionsSection, u"DelayHide", 10, 10, 100};
inline constexpr IntKey ListWidth{kOptionsSection, u"ListWidth", 0};
// The hotkey combination the user chose instead of Win+N (the word of the
// hotkey field); absent: Win+N.
inline constexpr IntKey HotkeyKeys{kOptionsSection, u"HotkeyKeys", 0};

inline constexpr BoolKey isAnimatedShow{kOptionsSection, u"isAnimatedShow", true};
inline constexpr BoolKey isAnimatedHide{kOptionsSection, u"isAnimatedHide", true};
inline constexpr BoolKey TrayIcon{kOptionsSection, u"TrayIcon", true};
inline constexpr BoolKey DoubleClick{kOptionsSection, u"DoubleClick", false};
inline constexpr BoolKey EnableHotkey{kOptionsSection, u"EnableHotkey", false};
inline constexpr BoolKey FocusOnCallByHotkey{kOptionsSection, u"FocusOnCallByHotkey", false};
inline constexpr BoolKey FocusOnTrayClick{kOptionsSection, u"FocusOnTrayClick", true};
inline constexpr BoolKey SilentStart{kOptionsSection, u"SilentStart", false};
inline constexpr BoolKey UseAnimation{kOptionsSection, u"UseAnimation", true};
inline constexpr BoolKey FocusNoteOnSelect{kOptionsSection, u"FocusNoteOnSelect", true};
inline constexpr BoolKey OneClickInList{kOptionsSection, u"OneClickInList", false};
inline constexpr BoolKey DynamicSearch{kOptionsSection, u"DynamicSearch", false};
inline constexpr BoolKey SearchFilter{kOptionsSection, u"SearchFilter", true};
inline constexpr BoolKey SimpleFontList{kOptionsSection, u"SimpleFontList", false};
inline constexpr BoolKey DetectURLs{kOptionsSection, u"DetectURLs", true};
inline constexpr BoolKey isShowCopyAfterSel{kOptionsSection, u"isShowCopyAfterSel", true};
inline constexpr BoolKey isCustomDir{kOptionsSection, u"isCustomDir", false};
inline constexpr BoolKey NoAdv{kOptionsSection, u"NoAdv", false};
// Encryption writes AES-256-GCM tokens instead of the compatible cipher.
inline constexpr BoolKey StrongCipher{kOptionsSection, u"StrongCipher", false};

inline constexpr ColorKey BorderColor{kOptionsSection, u"BorderColor", u"clBlue"};

inline constexpr TextKey SkinName{kOptionsSection, u"SkinName", u""};
inline constexpr TextKey CustomBrowser{kOptionsSection, u"CustomBrowser", u""};
inline constexpr TextKey CurrentNoteName{kOptionsSection, u"CurrentNoteName", u""};
inline constexpr TextKey CustomDir{kOptionsSection, u"CustomDir", u""};
// Default given by the caller: it depends on whether the shared default.ini is used.
inline constexpr TextKey NotesDir{kOptionsSection, u"NotesDir", u""};
// A date in the user's short date format; default today, given by the caller.
inline constexpr TextKey StartDate{kOptionsSection, u"StartDate", u""};

inline constexpr MarkerKey Restart{kOptionsSection, u"Restart"};
// Obsolete: deleted at start-up when present, never written.
inline constexpr MarkerKey SplitPos{kOptionsSection, u"SplitPos"};

// Section Coords. The confirmation panel's y key has always been spelt
// "ConFirmPanel_y"; names match without case, so it reads as "ConfirmPanel_y".
inline constexpr CoordKey EDPanel_x{kCoordsSection, u"EDPanel_x", std::nullopt};
inline constexpr CoordKey EDPanel_y{kCoordsSection, u"EDPanel_y", std::nullopt};
inline constexpr CoordKey EditPanel_x{kCoordsSection, u"EditPanel_x", std::nullopt};
inline constexpr CoordKey EditPanel_y{kCoordsSection, u"EditPanel_y", std::nullopt};
inline constexpr CoordKey ConfirmPanel_x{kCoordsSection, u"ConfirmPanel_x", std::nullopt};
inline constexpr CoordKey ConfirmPanel_y{kCoordsSection, u"ConFirmPanel_y", std::nullopt};
inline constexpr CoordKey FontPanel_x{kCoordsSection, u"FontPanel_x", 3};
inline constexpr CoordKey FontPanel_y{kCoordsSection, u"FontPanel_y", 3};

inline constexpr std::array kIntKeys{Placement, Width,     Height,   Opacity,
                                     DelayShow, DelayHide, ListWidth};
inline constexpr std::array kBoolKeys{
    isAnimatedShow,      isAnimatedHide,   TrayIcon,     DoubleClick,    EnableHotkey,
    FocusOnCallByHotkey, FocusOnTrayClick, SilentStart,  UseAnimation,   FocusNoteOnSelect,
    OneClickInList,      DynamicSearch,    SearchFilter, SimpleFontList, DetectURLs,
    isShowCopyAfterSel,  isCustomDir,      NoAdv,        StrongCipher};
inline constexpr std::array kTextKeys{SkinName,  CustomBrowser, CurrentNoteName,
                                      CustomDir, NotesDir,      StartDate};
inline constexpr std::array kMarkerKeys{Restart, SplitPos};
inline constexpr std::array kCoordKeys{EDPanel_x,      EDPanel_y,      EditPanel_x, EditPanel_y,
                                       ConfirmPanel_x, ConfirmPanel_y, FontPanel_x, FontPanel_y};

} // namespace keys

long read(const base::IniFile& ini, const IntKey& key);
void write(base::IniFile& ini, const IntKey& key, long value);
// The value moved into the key's range.
long clamp(const IntKey& key, long value);

bool read(const base::IniFile& ini, const BoolKey& key);
void write(base::IniFile& ini, const BoolKey& key, bool value);

std::u16string read(const base::IniFile& ini, const TextKey& key);
// For the keys whose default the caller computes (NotesDir, StartDate).
std::u16string read(const base::IniFile& ini, const TextKey& key, std::u16string_view def);
void write(base::IniFile& ini, const TextKey& key, std::u16string_view value);

// The stored text, the default name when missing.
std::u16string read(const base::IniFile& ini, const ColorKey& key);
// The stored colour; nullopt when the text is neither a colour name nor an
// integer (the caller decides what a broken value means).
std::optional<Color> readColor(const base::IniFile& ini, const ColorKey& key);
void write(base::IniFile& ini, const ColorKey& key, Color value);

// The stored coordinate, else the key's default (nullopt for computed ones).
std::optional<long> read(const base::IniFile& ini, const CoordKey& key);
void write(base::IniFile& ini, const CoordKey& key, long value);

void write(base::IniFile& ini, const MarkerKey& key);

template <class Key> bool exists(const base::IniFile& ini, const Key& key) {
    return ini.keyExists(key.section, key.name);
}
template <class Key> void remove(base::IniFile& ini, const Key& key) {
    ini.deleteKey(key.section, key.name);
}

} // namespace quivra::settings
