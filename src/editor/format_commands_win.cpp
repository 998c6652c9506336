// The format bar's commands: styles, alignment, size, and the two colours
// with their palette.
#include "editor/formatting_controller_win.h"

#include "base/errors.h"
#include "editor/format_keys_win.h"
#include "base/ini_file.h"
#include "notes/note_settings.h"
#include "win/controls_win.h"
#include "win/wide_win.h"

#include <commdlg.h>

namespace quivra::editor {

namespace {

CHARFORMAT2W formatOf(DWORD mask) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    return format;
}

} // namespace

// --- Styles and alignment ---------------------------------------------------------------

void FormattingController::styleButtonClick(win::SpeedButton& button, unsigned bit) {
    // The click has already flipped the button.
    writeStyle(note_, styleAfterButton(note_.charFormat().dwEffects, bit, button.down()));
}

void FormattingController::BoldButtonClick() {
    styleButtonClick(bar_.BoldButton, kStyleBold);
}

void FormattingController::ItaButtonClick() {
    styleButtonClick(bar_.ItaButton, kStyleItalic);
}

void FormattingController::UnderButtonClick() {
    styleButtonClick(bar_.UnderButton, kStyleUnderline);
}

void FormattingController::StrikeButtonClick() {
    styleButtonClick(bar_.StrikeButton, kStyleStrikeOut);
}

void FormattingController::align(Alignment alignment) {
    writeAlignment(note_, alignment);
}

void FormattingController::AlLeftClick() {
    align(Alignment::Left);
}

void FormattingController::AlCenterClick() {
    align(Alignment::Center);
}

void FormattingController::AlRightClick() {
    align(Alignment::Right);
}

// --- Size -------------------------------------------------------------------------------

void FormattingController::SelFontSizeSelect() {
    const std::u16string text = win::toU16(win::windowText(bar_.SelFontSize.hwnd()));
    const auto points = fontSizeFromText(text);
    if (!points)
        throw base::notValidInteger(text);
    CHARFORMAT2W format = formatOf(CFM_SIZE);
    format.yHeight = twipsOfPoints(*points);
    note_.setCharFormat(format);
    note_.focus();
}

void FormattingController::SelFontSizeCloseUp() {
    if (note_.enabled())
        note_.focus();
}

// --- Colours ---------------------------------------------------------------------------

void FormattingController::openPalette(PaletteMode mode, win::SpeedButton& button) {
    palette_.open(mode, bar_.xOf(button) - host_.scale(45), bar_.hwnd(),
                  options_.ticked(settings::ID_ISUSEANIMATION));
}

void FormattingController::SelFontColorButtonClick() {
    openPalette(PaletteMode::TextColour, bar_.SelFontColorButton);
}

void FormattingController::BGColorButtonClick() {
    openPalette(PaletteMode::Background, bar_.BGColorButton);
}

void FormattingController::SelFontColorButtonMouseUp() {
    CHARFORMAT2W format = formatOf(CFM_COLOR);
    format.dwEffects = CFE_AUTOCOLOR;
    note_.setCharFormat(format);
}

void FormattingController::colValueClick() {
    // The colour chosen in the dialog only shows on the strip until the next
    // refresh shows the selection's colour again.
    static COLORREF custom[16]{};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = host_.mainWindow();
    choose.rgbResult = bar_.stripColour();
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT;
    host_.pauseRefresh();
    const bool chosen = ChooseColorW(&choose) != FALSE;
    host_.resumeRefresh();
    if (chosen)
        bar_.setStripColour(choose.rgbResult);
    SelFontColorButtonClick();
}

void FormattingController::colorPanClick(std::size_t swatch) {
    const settings::NamedColor& picked = paletteColours()[swatch];
    const auto colour = static_cast<COLORREF>(picked.color.value);
    CHARFORMAT2W format{};
    if (palette_.mode() == PaletteMode::TextColour) {
        format = formatOf(CFM_COLOR);
        format.crTextColor = colour;
    } else {
        format = formatOf(CFM_BACKCOLOR);
        format.crBackColor = colour;
    }
    note_.setCharFormat(format);
    // A record of the pick; nothing reads it.
    base::IniFile(notes::NoteSettingsFile(state_.notesFolder).path())
        .writeString(state_.currentNoteName, paletteRecordKey(palette_.mode()), picked.name);
    note_.focus();
    // With no note open the editor cannot take the focus, which would leave
    // the palette open under the pointer: it closes all the same.
    if (!note_.focused())
        colorPanExit();
}

void FormattingController::colorPanExit() {
    palette_.close(bar_.hwnd(), options_.ticked(settings::ID_ISUSEANIMATION));
}

} // namespace quivra::editor
