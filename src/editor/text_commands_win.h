// Commands that change the editor's paragraphs or text: the list menu, the
// date and time forms, the insertions of the additional menu and the
// formatting reset.
#pragma once

#include "base/date_time.h"
#include "document/rich_edit_win.h"
#include "editor/date_forms.h"
#include "editor/editor_ids.h"
#include "editor/editor_menus_win.h"
#include "editor/list_styles.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "window/confirm_panel_win.h"

#include <functional>
#include <string>
#include <string_view>

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

class TextCommands {
  public:
    TextCommands(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                 EditorMenus& menus, window::ConfirmPanel& confirm)
        : host_(host), state_(state), note_(note), menus_(menus), confirm_(confirm) {}

    // --- The list menu ---------------------------------------------------------------
    void listMenuClick(std::size_t item);
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

    // --- Dates and times ---------------------------------------------------------------
    void insertDateTime(DateTimeForm form);
    // The date and time items of the additional menu, and the keys F5-F7.
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
    void setDateSource(DateSource source) { dates_ = std::move(source); }

    // --- Insertions and the reset ---------------------------------------------------------
    void openTextFromFile();
    void insertFileLink();
    void pasteAsText();
    // Asks first; the reset itself runs once "Да" is answered.
    void UnformatClick();
    void resetFormatting();

  private:
    void applyNumbering(const ListNumbering& numbering);

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    EditorMenus& menus_;
    window::ConfirmPanel& confirm_;
    ListNumbering listNumbering_; // ListNumberingType, ListNumberingStyle
    DateSource dates_ = DateSource::system();
};

} // namespace quivra::editor
