// Skins: files "<Name>.asz" in the skin folder, each a small INI text with the
// colours of the program's surfaces, in the section [Skin]:
//
//   Window       windows and panels                       required
//   Text         text on windows and panels               required
//   Control      edit, list and combo boxes               default: Window
//   ControlText  text in those                            default: Text
//   Editor       the rich-text editor's background        default: Control
//   Button       push buttons                             default: Control
//   ButtonText   text on push buttons                     default: ControlText
//   Tab          page tabs                                default: Window
//   TabActive    the selected page tab                    default: Button
//   TabText      text on page tabs                        default: Text
//   Accent       selected tab marker, focused and default
//                buttons                                  default: TabText
//
// Colours are "#RRGGBB". Section and key names ignore letter case, blanks
// around names and values are dropped, the first occurrence of a key counts,
// and ';' starts a comment (at the start of a line or after a value). A
// missing or malformed optional colour takes its default; a file without a
// valid Window and Text colour is not a skin.
//
// There is no editor text colour: text of automatic colour is drawn in the
// system's window-text colour, and changing it would change the note's
// formatting. A skin's Editor colour should therefore be light.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::skins {

// Colours in the Windows COLORREF layout, 0x00BBGGRR.
using Color = std::uint32_t;

struct SkinColors {
    Color window = 0;
    Color text = 0;
    Color control = 0;
    Color controlText = 0;
    Color editor = 0;
    Color button = 0;
    Color buttonText = 0;
    Color tab = 0;
    Color tabActive = 0;
    Color tabText = 0;
    Color accent = 0;

    bool operator==(const SkinColors&) const = default;
};

// The extension of skin files, with its dot.
inline constexpr std::u16string_view kSkinExtension = u".asz";

// "#RRGGBB" (hex digits in either case, surrounding blanks ignored) to
// 0x00BBGGRR; anything else gives nothing.
std::optional<Color> parseColor(std::u16string_view text);

// Parses a skin file's text (see the format above).
std::optional<SkinColors> parseSkin(std::u16string_view text);

// Reads and parses a skin file: UTF-8 (with or without a byte-order mark) or
// UTF-16 LE with a byte-order mark. An unreadable, oversized or invalid file
// gives nothing.
std::optional<SkinColors> loadSkin(const std::filesystem::path& file);

// The names of the skins in a folder: the regular files with the skin
// extension (in any letter case), without it, sorted ignoring letter case.
// A missing or unreadable folder gives an empty list.
std::vector<std::u16string> listSkinNames(const std::filesystem::path& folder);

// The colour a of the way from a to b by weight/255 (each channel rounded).
Color mixColors(Color a, Color b, unsigned weight);

} // namespace quivra::skins
