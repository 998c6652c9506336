// The insertion commands of the additional menu: "Открыть текст из файла..."
// replaces the note's content with a chosen file, "Вставить ссылку на файл"
// inserts a file:/// link to a chosen file, "Буфер обмена как текст" pastes
// the clipboard's text without its formatting. The two with a file dialog
// pause the 50 ms refresh and its auto-hide while the dialog is open.
#pragma once

#include "document/rich_edit_win.h"
#include "program/subsystem_win.h"

#include <optional>
#include <string>

namespace quivra::editor {

// The dialogs' filters, description and pattern pairs.
inline constexpr wchar_t kOpenTextFilter[] =
    L"Поддерживаемые форматы\0*.txt;*.rtf;*.note\0Все файлы\0*.*\0";
inline constexpr wchar_t kAllFilesFilter[] = L"Все файлы\0*.*\0";

// Loads the chosen file as a note file is loaded: rich text when it holds
// rich text, else plain text in the encoding its first bytes give, whatever
// its extension. A file that cannot be read leaves the editor as it was and
// throws the standard error "Cannot open file ..."; one that cannot be
// decoded (document/note_form.h) leaves the note, its text and its modified
// flag as they were and throws "Failed to Load Stream".
void OpenTextClick(program::Host& host, document::RichEdit& note);
// "file:///" and the chosen file's path as the dialog gives it.
void N32Click(program::Host& host, document::RichEdit& note);
// The selection replaced by the clipboard's text (by nothing when it holds
// none). A clipboard that another program keeps open throws the standard
// error "Cannot open clipboard: ..." and leaves the selection as it was.
void N22Click(program::Host& host, document::RichEdit& note);

// A file chosen in the program's open dialog; a typed name of no file is
// taken too.
std::optional<std::wstring> chooseFile(program::Host& host, const wchar_t* filter,
                                       std::size_t filterLength);

} // namespace quivra::editor
