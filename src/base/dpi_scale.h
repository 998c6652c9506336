// The one conversion between the program's two units of length. Sizes and
// places are designed, and kept in the settings file, in 96-DPI units; the
// window and its controls are laid out in device pixels, the designed value
// times the screen's DPI / 96, rounded to the nearest pixel (halves away from
// zero, as the platform's MulDiv rounds).
#pragma once

namespace quivra::base {

inline constexpr int kDesignDpi = 96;

// A designed length in device pixels of a screen of `dpi`.
int scaledToDpi(int designed, int dpi);
// A device length back in designed units; for any dpi of 96 or more this
// undoes scaledToDpi, so a value stored, read and stored again stays the same.
int designedFromDpi(int device, int dpi);

} // namespace quivra::base
