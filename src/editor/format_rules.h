// The format bar's rules over plain values: the four character styles as the
// buttons and the shortcuts change them, the size box's text, the colour
// palette's swatches and slides, and which items of the additional menu a
// selection enables.
#pragma once

#include "settings/colors.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::editor {

// --- Character styles ----------------------------------------------------------
// The rich-text control's effect bits of the four styles.
inline constexpr unsigned kStyleBold = 0x1;
inline constexpr unsigned kStyleItalic = 0x2;
inline constexpr unsigned kStyleUnderline = 0x4;
inline constexpr unsigned kStyleStrikeOut = 0x8;
inline constexpr unsigned kStyleBits = 0xF;

// The four style bits to write after a style button went to `pressed`: the
// reported bits with the button's bit set or cleared.
unsigned styleAfterButton(unsigned reportedEffects, unsigned bit, bool pressed);
// After a style shortcut: the bit flipped.
unsigned styleAfterShortcut(unsigned reportedEffects, unsigned bit);

// --- Alignment -------------------------------------------------------------------
// The control's wAlignment values the three alignment buttons stand for.
enum class Alignment { Left = 1, Right = 2, Center = 3 };
// The button matching a paragraph's alignment; none for any other (justified),
// when the buttons keep their last state.
std::optional<Alignment> alignmentButton(int paragraphAlignment);

// --- Size --------------------------------------------------------------------------
// The size box's list, in order (no 16 or 18).
inline constexpr std::array<std::u16string_view, 10> kFontSizeItems{
    u"8", u"10", u"12", u"14", u"20", u"24", u"28", u"36", u"48", u"72"};
// The size the box's text asks for, in points, by the integer rule of the
// settings files; none when the text is not an integer.
std::optional<long> fontSizeFromText(std::u16string_view text);
// A height in twips as whole points, truncated.
long pointsOfTwips(long twips);
// Points as the control's 32-bit height in twips; any number is passed on,
// wrapping where it does not fit.
std::int32_t twipsOfPoints(long points);

// --- Colour palette ---------------------------------------------------------------
// 4 × 4 swatches of 21 px with 6 px margins on a 113 px square panel.
inline constexpr int kPaletteSize = 113;
inline constexpr int kSwatchSize = 21;
inline constexpr int kSwatchMargin = 6;
inline constexpr int kPaletteColumns = 4;
inline constexpr std::size_t kPaletteSwatches = 16;

// The sixteen standard colours, row by row (clBlack ... clWhite).
std::span<const settings::NamedColor> paletteColours();
// A swatch's top-left corner on the panel, in designed pixels; each is
// kSwatchSize square.
struct SwatchRect {
    int left = 0;
    int top = 0;
};
SwatchRect swatchRect(std::size_t index);
// The swatch a click at (x, y) picks: the first whose rectangle, grown by the
// margin on every side, holds the point; white where none does.
std::size_t swatchAt(int x, int y);
// The swatch's colour as a screen reader names it.
std::u16string_view paletteColourName(std::size_t index);
// The swatch an arrow key moves to from `index`: one column (dx) or row (dy)
// on, staying inside the 4 x 4 grid.
std::size_t swatchBeside(std::size_t index, int dx, int dy);

// Which colour the open palette sets: the mode its button gave it.
enum class PaletteMode { TextColour = 0, Background = 1 };
// The key of the per-note record a pick writes ("FontColor", "NoteBGColor").
std::u16string_view paletteRecordKey(PaletteMode mode);

// The palette's tops while it slides down from behind the format bar (whose
// bottom edge is at `barBottom`) until it hangs just below it: 5 px steps,
// then the last place. Without animation only the last place.
std::vector<int> paletteOpeningTops(int barBottom, int height, bool animate);
// Its tops while it slides back up in 8 px steps until its bottom is no more
// than 8 px below the bar; then it is hidden. Without animation none.
std::vector<int> paletteClosingTops(int top, int height, int barBottom, bool animate);

// --- Additional menu ---------------------------------------------------------------
// Which items of the additional menu a selection enables when it opens.
struct AdditMenuRules {
    bool uncomment = false;         // "Раскомментировать"
    bool comment = false;           // "Закомментировать"
    bool editing = false;           // comment marks, dates, times, insertions
    bool selectionCommands = false; // encrypt, decrypt, decrypt to the clipboard
    friend bool operator==(const AdditMenuRules&, const AdditMenuRules&) = default;
};
// `selection` is the selected text. Its first and last three characters (the
// whole selection where it is shorter) decide the two comment commands.
AdditMenuRules additMenuRules(std::u16string_view selection, bool readOnly);

} // namespace quivra::editor
