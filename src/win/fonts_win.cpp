#include "win/fonts_win.h"

#include <cwchar>

namespace quivra::win {

UniqueFont tahomaFont(int pixelHeight, int weight, FontEffects effects) {
    LOGFONTW lf{};
    lf.lfHeight = -pixelHeight;
    lf.lfWeight = weight;
    lf.lfItalic = effects.italic;
    lf.lfUnderline = effects.underline;
    lf.lfStrikeOut = effects.strikeOut;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace quivra::win
