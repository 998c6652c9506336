// Identifiers of the editor subsystem: the format bar's controls, the format
// shortcuts, the editor's items of the additional menu, the hidden items that
// carry the date keys, the list menu, the formatting reset of the notes menu
// and the font panel's controls.
#pragma once

#include "editor/date_forms.h"
#include "editor/list_styles.h"
#include "program/id_blocks.h"

namespace quivra::editor {

enum EditorId : int {
    ID_FORMATBAR = program::kEditorIds.first,
    ID_BOLDBUTTON,
    ID_ITABUTTON,
    ID_UNDERBUTTON,
    ID_STRIKEBUTTON,
    ID_ALLEFT,
    ID_ALCENTER,
    ID_ALRIGHT,
    ID_SELFONTBUTTON,
    ID_SELFONTCOLORBUTTON,
    ID_COLVALUE,
    ID_BGCOLORBUTTON,
    ID_ISLIST,
    ID_SELFONTSIZE,
    ID_ADVANCEDBUTTON,
    ID_COLORPAN,
    // The actions of category "Format" (shortcuts only).
    act_bold,
    act_itallic,
    act_underline,
    act_strikeout,
    act_al_left,
    act_al_right,
    act_al_center,
    // The eight date and time forms, in the order of kDateTimeForms.
    ID_INSERTDT,
    ID_N12,
    ID_N18,
    ID_INSERTDATE,
    ID_N14,
    ID_N15,
    ID_INSERTTIME,
    ID_N17,
    // Hidden items carrying F5, F6 and F7.
    N23,
    N30,
    N26,
    // Insertion items of the additional menu.
    N22,      // "Спец. вставка" > "Буфер обмена как текст"
    OpenText, // "Открыть текст из файла..."
    N32,      // "Вставить ссылку на файл"
    // The list menu, in the order of kListMenuItems (N31 is its separator).
    ID_F1,
    ID_N9,
    ID_N21,
    ID_N25,
    ID_A1,
    ID_I1,
    ID_I2,
    ID_G2,
    ID_N110,
    ID_N29,
    ID_N111,
    ID_Y1,
    ID_N31,
    ID_N28,
    // "Сброс форматирования" of the notes menu.
    Unformat,
    // The font panel and the font combo.
    ID_FONTLIST1,
    ID_FONTLISTFILTERED,
    ID_FONTSEARCH,
    ID_BTNFOK,
    ID_BTNFCANCEL,
    ID_FONTLIST,
    ID_EDITOR_LAST = ID_FONTLIST,
};
static_assert(program::kEditorIds.contains(ID_EDITOR_LAST));
static_assert(ID_N17 - ID_INSERTDT + 1 == static_cast<int>(kDateTimeForms.size()));
static_assert(ID_N28 - ID_F1 + 1 == static_cast<int>(kListMenuItems.size()));

// The menu item of a date and time form.
constexpr int dateFormItem(DateTimeForm form) {
    return ID_INSERTDT + static_cast<int>(form);
}
constexpr bool isDateFormItem(int id) {
    return id >= ID_INSERTDT && id <= ID_N17;
}

// The list menu's item at kListMenuItems[index].
constexpr int listMenuItem(std::size_t index) {
    return ID_F1 + static_cast<int>(index);
}
constexpr bool isListMenuItem(int id) {
    return id >= ID_F1 && id <= ID_N28;
}

} // namespace quivra::editor
