// Commands that change the editor's paragraphs or text: the list menu, the
// date and time forms, and the formatting reset.
#include "editor/text_commands_win.h"

#include "editor/insert_commands_win.h"
#include "win/wide_win.h"

namespace quivra::editor {

namespace {

SYSTEMTIME systemTime(const base::DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

std::u16string localeText(bool date, const base::DateTime& t) {
    const SYSTEMTIME st = systemTime(t);
    wchar_t text[128]{};
    const int n = date ? GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr,
                                         text, 128, nullptr)
                       : GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 128);
    return n > 0 ? win::toU16(text) : std::u16string();
}

} // namespace

DateSource DateSource::system() {
    DateSource source;
    source.now = [] {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return base::DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    };
    source.shortDate = [](const base::DateTime& t) { return localeText(true, t); };
    source.longTime = [](const base::DateTime& t) { return localeText(false, t); };
    return source;
}

// --- Lists ------------------------------------------------------------------------------

void TextCommands::applyNumbering(const ListNumbering& numbering) {
    // Type and style always come from the menu, never from the paragraph;
    // indents stay as they are.
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = kNumberingMask;
    format.wNumbering = static_cast<WORD>(numbering.type);
    format.wNumberingStyle = static_cast<WORD>(numbering.style);
    format.wNumberingStart = kNumberingStart;
    format.wNumberingTab = kNumberingTab;
    note_.setParaFormat(format);
}

void TextCommands::listMenuClick(std::size_t item) {
    const auto numbering = chooseListItem(listNumbering_, kListMenuItems.at(item));
    if (!numbering)
        return;
    menus_.tickListStyle(listNumbering_);
    applyNumbering(*numbering);
}

// --- Dates and times ----------------------------------------------------------------------

void TextCommands::insertDateTime(DateTimeForm form) {
    if (hasFunctionKey(form) && state_.NoteReadOnly)
        return;
    const base::DateTime now = dates_.now();
    note_.replaceSelection(dateTimeText(form, now, dates_.shortDate(now), dates_.longTime(now)));
}

// --- Insertions -----------------------------------------------------------------------------

void TextCommands::openTextFromFile() {
    OpenTextClick(host_, note_);
}

void TextCommands::insertFileLink() {
    N32Click(host_, note_);
}

void TextCommands::pasteAsText() {
    N22Click(host_, note_);
}

// --- Formatting reset ---------------------------------------------------------------------

void TextCommands::UnformatClick() {
    confirm_.ask(
        kUnformatQuestion, [this] { resetFormatting(); }, window::ConfirmPanel::Place::Default);
}

void TextCommands::resetFormatting() {
    const std::u16string text = note_.textCrLf();
    note_.empty();
    CHARFORMAT2W plain{};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR;
    plain.dwEffects = CFE_AUTOCOLOR;
    plain.yHeight = 8 * 20;
    wcscpy_s(plain.szFaceName, LF_FACESIZE, L"Tahoma");
    note_.setCharFormat(plain);
    note_.replaceSelection(text);
}

} // namespace quivra::editor
