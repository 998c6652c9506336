// The editor subsystem of the main window: the format bar with its style,
// alignment, font, colour, list, size and "..." controls, the colour palette,
// the additional and list menus and the font picker; the text commands (list
// styles, date and time forms with F5, F6 and F7, insertions, the reset) and
// the format keys are parts of their own. Its rows of the 50 ms refresh
// mirror the caret's format on the bar.
#pragma once

#include "document/rich_edit_win.h"
#include "document/view_registry.h"
#include "editor/colour_palette_win.h"
#include "editor/date_forms.h"
#include "editor/editor_ids.h"
#include "editor/editor_menus_win.h"
#include "editor/font_picker_win.h"
#include "editor/format_bar_win.h"
#include "editor/format_keys_win.h"
#include "editor/formatting_needs.h"
#include "editor/text_commands_win.h"
#include "program/command_table_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/subclass_win.h"
#include "window/confirm_panel_win.h"
#include "window/floating_panels_win.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quivra::editor {

class FormattingController final : public program::Subsystem, public document::ViewRegistry {
  public:
    FormattingController(program::Host& host, program::ProgramState& state,
                         document::RichEdit& note, const settings::Options& options,
                         window::FloatingPanels& panels, window::ConfirmPanel& confirm,
                         FormattingNeeds& needs);

    // Builds the format bar, the palette and the font combo in the editor
    // area, the font panel on the notes page and the menus, adds
    // "Сброс форматирования" to the notes menu, and starts following the
    // editor's focus.
    void create(HWND editorArea, HWND notesPage, HMENU notesMenu);
    // The bar across the top of the editor area; returns the height it takes.
    int layoutFormatBar(int width, bool shown);
    // The current note's view changed (opened, read-only switched, format bar
    // shown or hidden): the bar's enabled state and place follow it.
    void noteViewChanged();
    // Another rich-text view that the format keys act on while it has the
    // focus (the second note view, the search results).
    void viewMade(document::RichEdit& view) override { keys_.addFormatView(view); }
    // The font-size box takes no input while the search box has the focus.
    void enableSizeBox(bool enabled);

    // --- The format bar ------------------------------------------------------------
    void BoldButtonClick();
    void ItaButtonClick();
    void UnderButtonClick();
    void StrikeButtonClick();
    void AlLeftClick();
    void AlCenterClick();
    void AlRightClick();
    void SelFontSizeSelect();
    void SelFontSizeCloseUp();
    void SelFontColorButtonClick();
    void SelFontColorButtonMouseUp();
    void colValueClick();
    void BGColorButtonClick();
    void colorPanClick(std::size_t swatch);
    void colorPanExit();
    void AdvancedButtonClick();
    void isListClick();
    // The additional menu's enabled states as they are set when it opens.
    void updateAdditMenu();
    // Editor focus: the bar follows the read-only setting and the caret.
    void NoteEnter();
    void NoteExit();

    // The commands: the bar's controls, the format and date keys, the items
    // of the additional, list and notes menus.
    enum Menu : int { kHiddenMenu, kAdditMenu, kListMenu, kNotesMenu };
    static program::Commands<FormattingController> commands();
    static DateKeyTexts dateKeyTexts();
    bool editorFocused() const;
    void selFontButtonClick();
    void fontSizeChosen();

    // --- Parts, for the main window and the tests ----------------------------------------
    FormatBar& bar() { return bar_; }
    ColourPalette& palette() { return palette_; }
    FontPicker& fontPicker() { return fontPicker_; }
    TextCommands& textCommands() { return text_; }
    HMENU additMenu() const { return menus_.addit(); }
    HMENU listStyleMenu() const { return menus_.listStyle(); }
    HMENU hiddenMenu() const { return menus_.hidden(); }
    HMENU notesMenu() const { return notesMenu_; }

    // --- win::Subsystem ------------------------------------------------------------------
    bool onCommand(int id, int code, HWND control) override;
    bool onDrawItem(const DRAWITEMSTRUCT& item) override { return fontPicker_.onDrawItem(item); }
    bool onMeasureItem(MEASUREITEMSTRUCT& item) override { return fontPicker_.onMeasureItem(item); }
    void addRefreshRows(program::RefreshTable& table) override;
    void addShortcuts(std::vector<ACCEL>& shortcuts) override;
    HMENU menuOf(int id) const override;

  private:
    void styleButtonClick(win::SpeedButton& button, unsigned bit);
    void align(Alignment alignment);
    void openPalette(PaletteMode mode, win::SpeedButton& button);
    void enableForReadOnly();
    void showSizeOfSelection(const CHARFORMAT2W& format);
    void showAlignmentOfParagraph();
    bool sizeBoxFocused() const;
    POINT menuPoint(const win::SpeedButton& button, int dx, int dy) const;
    std::optional<LRESULT> onEditorMessage(UINT msg, const win::Subclass::Next& next);
    std::optional<LRESULT> onSizeBoxKey(UINT msg, WPARAM wp, LPARAM lp,
                                        const win::Subclass::Next& next);

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    const settings::Options& options_;
    FormattingNeeds& needs_;
    FormatBar bar_;
    ColourPalette palette_;
    EditorMenus menus_;
    FontPicker fontPicker_;
    HMENU notesMenu_ = nullptr;
    win::Subclass editorFocus_;
    win::Subclass sizeBoxKeys_;
    TextCommands text_;
    FormatKeys keys_;
    // The selection's format as the refresh read it in the current tick.
    std::optional<CHARFORMAT2W> tickFormat_;
};

} // namespace quivra::editor
