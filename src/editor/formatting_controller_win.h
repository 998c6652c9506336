// The editor subsystem of the main window: the format bar with its style,
// alignment, font, colour, list, size and "..." controls, the colour palette,
// the additional and list menus, the date and time forms with F5, F6 and F7,
// the shortcuts of category "Format", the font picker and the formatting
// reset. Its rows of the 50 ms refresh mirror the caret's format on the bar.
#pragma once

#include "document/rich_edit_win.h"
#include "document/view_registry.h"
#include "editor/colour_palette_win.h"
#include "editor/date_forms.h"
#include "editor/editor_ids.h"
#include "editor/editor_menus_win.h"
#include "program/command_table_win.h"
#include "editor/font_picker_win.h"
#include "editor/format_bar_win.h"
#include "editor/formatting_needs.h"
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

// The clock and the locale's two formats the date forms use.
struct DateSource {
    std::function<base::DateTime()> now;
    // The moment in the user's short-date and long-time formats.
    std::function<std::u16string(const base::DateTime&)> shortDate;
    std::function<std::u16string(const base::DateTime&)> longTime;
    // The system clock and the user's locale.
    static DateSource system();
};

// The reset's warning.
inline constexpr std::u16string_view kUnformatQuestion =
    u"Сброс форматирования приведет к необратимой потере форматирования!\r"
    u"Вы действительно хотите убрать форматирование?";

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
    // Another rich-text view that the format shortcuts act on while it has
    // the focus (the second note view, the search results).
    void addFormatView(document::RichEdit& view) { formatViews_.push_back(&view); }
    void viewMade(document::RichEdit& view) override { addFormatView(view); }
    // The font-size box takes no input while the search box has the focus.
    void enableSizeBox(bool enabled);
    void setDateSource(DateSource source) { dates_ = std::move(source); }

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

    // --- Shortcuts of category "Format" ----------------------------------------
    void act_boldExecute() { toggleStyle(kStyleBold); }
    void act_itallicExecute() { toggleStyle(kStyleItalic); }
    void act_underlineExecute() { toggleStyle(kStyleUnderline); }
    void act_strikeoutExecute() { toggleStyle(kStyleStrikeOut); }
    void act_al_leftExecute() { alignFocusedView(Alignment::Left); }
    void act_al_rightExecute() { alignFocusedView(Alignment::Right); }
    void act_al_centerExecute() { alignFocusedView(Alignment::Center); }

    // --- Lists, dates, reset ----------------------------------------------------------
    void listMenuClick(std::size_t item);
    // The list menu's items.
    void F1Click() { listMenuClick(ID_F1 - ID_F1); }
    void N9Click() { listMenuClick(ID_N9 - ID_F1); }
    void N21Click() { listMenuClick(ID_N21 - ID_F1); }
    void N25Click() { listMenuClick(ID_N25 - ID_F1); }
    void A1Click() { listMenuClick(ID_A1 - ID_F1); }
    void i1Click() { listMenuClick(ID_I1 - ID_F1); }
    void I2Click() { listMenuClick(ID_I2 - ID_F1); }
    void G2Click() { listMenuClick(ID_G2 - ID_F1); }
    void N110Click() { listMenuClick(ID_N110 - ID_F1); }
    void N29Click() { listMenuClick(ID_N29 - ID_F1); }
    void N111Click() { listMenuClick(ID_N111 - ID_F1); }
    void Y1Click() { listMenuClick(ID_Y1 - ID_F1); }
    void N28Click() { listMenuClick(ID_N28 - ID_F1); }
    const ListNumbering& listNumbering() const noexcept { return listNumbering_; }
    void insertDateTime(DateTimeForm form);
    // The date and time items of the additional menu.
    void InsertDTClick() { insertDateTime(DateTimeForm::TimeAndDate); }
    void N12Click() { insertDateTime(DateTimeForm::DateAndLongTime); }
    void N18Click() { insertDateTime(DateTimeForm::DayMonthYearAtTime); }
    void InsertDateClick() { insertDateTime(DateTimeForm::Date); }
    void N14Click() { insertDateTime(DateTimeForm::DayCommaMonthYear); }
    void N15Click() { insertDateTime(DateTimeForm::DayMonthYear); }
    void InsertTimeClick() { insertDateTime(DateTimeForm::Time); }
    void N17Click() { insertDateTime(DateTimeForm::LongTime); }
    void N23Click() { InsertDTClick(); }
    void N30Click() { InsertDateClick(); }
    void N26Click() { InsertTimeClick(); }
    void UnformatClick();
    // The commands: the bar's controls, the format and date keys, the items
    // of the additional, list and notes menus.
    enum Menu : int { kHiddenMenu, kAdditMenu, kListMenu, kNotesMenu };
    static program::Commands<FormattingController> commands();
    static DateKeyTexts dateKeyTexts();
    bool editorFocused() const;
    void selFontButtonClick();
    void fontSizeChosen();
    void openTextFromFile();
    void insertFileLink();
    void pasteAsText();
    // The reset itself, once "Да" is answered.
    void resetFormatting();

    // --- Parts, for the main window and the tests ----------------------------------------
    FormatBar& bar() { return bar_; }
    ColourPalette& palette() { return palette_; }
    FontPicker& fontPicker() { return fontPicker_; }
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
    void toggleStyle(unsigned bit);
    void alignFocusedView(Alignment alignment);
    document::RichEdit* focusedView() const;
    void applyNumbering(const ListNumbering& numbering);
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
    window::ConfirmPanel& confirm_;
    FormattingNeeds& needs_;
    FormatBar bar_;
    ColourPalette palette_;
    EditorMenus menus_;
    FontPicker fontPicker_;
    HMENU notesMenu_ = nullptr;
    win::Subclass editorFocus_;
    win::Subclass sizeBoxKeys_;
    std::vector<document::RichEdit*> formatViews_;
    ListNumbering listNumbering_; // ListNumberingType, ListNumberingStyle
    // The selection's format as the refresh read it in the current tick.
    std::optional<CHARFORMAT2W> tickFormat_;
    DateSource dates_ = DateSource::system();
};

} // namespace quivra::editor
